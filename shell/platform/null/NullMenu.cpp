// Headless menu: the check marks live in memory.
#include <map>

#include "shell/platform/Menu.h"

// As the menu resource has them before start-up sets them from the Settings.
static std::map<int, bool> g_checked = {{40008, true}, {40009, true}, {40010, true}};

void CheckMenuCommand(int command, bool checked) { g_checked[command] = checked; }

bool MenuCommandChecked(int command) {
  auto it = g_checked.find(command);
  return it != g_checked.end() && it->second;
}

bool MenuPulledDown() { return false; }
