// What the system tells about itself: screen size and computer name.
#pragma once

// The primary screen's size in pixels.
int ScreenWidth();
int ScreenHeight();

// Copies the computer's name, at most size - 1 bytes, NUL-terminated.
void ComputerName(char* out, int size);
