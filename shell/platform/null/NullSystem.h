// Test controls of the headless system facts: the screen size and computer name reported.
#pragma once

// Sets what ScreenWidth and ScreenHeight return (1024 x 768 until changed).
void NullSetScreenSize(int width, int height);

// Sets what ComputerName copies ("PLOXEN-TEST" until changed).
void NullSetComputerName(const char* name);
