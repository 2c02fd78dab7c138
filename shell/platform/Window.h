// The main window: its creation and its destruction.
#pragma once

// Prepares the back end; call once before anything else of the platform.
void PlatformStartup(int argc, char** argv);

// Creates the main window "Ploxen" with menu 101 and icon 102, its 450 x 400
// client area's top-left corner at (x, y) where the desktop allows; false when it cannot.
bool CreateMainWindow(int x, int y);

// Closes the main window; MsgDestroy follows in the queue. The close box does the same.
void DestroyMainWindow();
