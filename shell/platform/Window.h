// The main window: its creation, its destruction and its client area's pixels.
#pragma once
#include <cstdint>

// Prepares the back end; call once before anything else of the platform.
void PlatformStartup(int argc, char** argv);

// Creates the main window "Ploxen" with menu 101 and icon 102, its 450 x 400
// client area's top-left corner at (x, y) where the desktop allows; false when it cannot.
bool CreateMainWindow(int x, int y);

// Closes the main window; MsgDestroy follows in the queue. The close box does the same.
void DestroyMainWindow();

// The client area's 450 x 400 pixels, 0x00RRGGBB, rows top-down with no gap, all black at
// first: the back end lends them for the whole run and shows them as they are.
uint32_t* WindowPixels();

// Tells the back end that a rectangle of the window's pixels changed.
void WindowInvalidate(int x, int y, int w, int h);
