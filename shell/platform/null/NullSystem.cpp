// Headless system facts: a screen size and a computer name that tests choose.
#include "shell/platform/System.h"

#include <cstdio>
#include <string>

#include "shell/platform/null/NullSystem.h"

static int g_width = 1024;
static int g_height = 768;
static std::string g_name = "PLOXEN-TEST";

int ScreenWidth() { return g_width; }
int ScreenHeight() { return g_height; }

void ComputerName(char* out, int size) {
  if (size > 0) std::snprintf(out, size_t(size), "%s", g_name.c_str());
}

void NullSetScreenSize(int width, int height) {
  g_width = width;
  g_height = height;
}

void NullSetComputerName(const char* name) { g_name = name; }
