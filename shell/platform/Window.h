// The main window: its creation, destruction and what wakes the program's wait.
#pragma once

// Prepares the back end; call once before anything else of the platform.
void PlatformStartup(int argc, char** argv);

// Creates the main window "Ploxen" with menu 101 and icon 102, its 450 x 400
// client area's top-left corner at (x, y) where the desktop allows; false when it cannot.
bool CreateMainWindow(int x, int y);

// Closes the main window; MsgDestroy follows in the queue. The close box does the same.
void DestroyMainWindow();

// A file descriptor whose readable data ends WaitMessage early, or -1 for none.
void WatchSocket(int fd);
