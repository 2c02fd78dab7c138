// The MessageLog: every line the program tells the player, newest on top.
#pragma once
#include <cstdint>

// A text starting with this byte empties the log instead of adding a line.
extern const char ClearLogCommand[];

// Adds a line of Windows-1252 text in a 0x00BBGGRR colour, or clears the log.
void AppendMessage(const char* text, uint32_t colour);

// Copies the log to the window.
void PresentMessageLog();

// Lines now in the log, 0 the newest; nullptr past the last.
const char* MessageLine(int index);
uint32_t MessageColour(int index);
