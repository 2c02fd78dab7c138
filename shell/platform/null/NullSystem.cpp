// Headless system facts: a 1024 x 768 screen and a computer name that tests choose.
#include "shell/platform/System.h"

#include <cstdio>
#include <string>

#include "shell/platform/null/NullSystem.h"

static const int g_width = 1024;
static const int g_height = 768;
static std::string g_name = "PLOXEN-TEST";

int ScreenWidth() { return g_width; }
int ScreenHeight() { return g_height; }

void ComputerName(char* out, int size) {
  if (size > 0) std::snprintf(out, size_t(size), "%s", g_name.c_str());
}

void NullSetComputerName(const char* name) { g_name = name; }
