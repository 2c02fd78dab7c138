// Headless window: the client area lives in memory and changes are recorded.
#include <algorithm>

#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/null/NullControl.h"

static uint32_t g_pixels[WindowWidth * WindowHeight];
static NullDamage g_damage{0, 0, 0, 0, 0};

uint32_t* WindowPixels() { return g_pixels; }

void WindowInvalidate(int x, int y, int w, int h) {
  if (g_damage.count == 0) {
    g_damage = {1, x, y, x + w, y + h};
    return;
  }
  g_damage.count++;
  g_damage.x0 = std::min(g_damage.x0, x);
  g_damage.y0 = std::min(g_damage.y0, y);
  g_damage.x1 = std::max(g_damage.x1, x + w);
  g_damage.y1 = std::max(g_damage.y1, y + h);
}

NullDamage NullWindowDamage() { return g_damage; }

void NullResetRecords() {
  g_damage = {0, 0, 0, 0, 0};
  NullForgetMessages();
}

static bool g_windowOpen = false;

void PlatformStartup(int, char**) {}

bool CreateMainWindow(int x, int y) {
  g_windowOpen = true;
  PostMessage(MsgMove, x & 0xFFFF, y & 0xFFFF);
  return true;
}

void DestroyMainWindow() {
  if (!g_windowOpen) return;
  g_windowOpen = false;
  PostMessage(MsgDestroy);
}
