// The main window's menu: its check marks.
#pragma once

// Sets or clears the check mark of a menu command (40008..40010).
void CheckMenuCommand(int command, bool checked);

// The check mark now shown for a command.
bool MenuCommandChecked(int command);

// True while one of the menu's popups is pulled down; its close ends WaitMessage.
bool MenuPulledDown();
