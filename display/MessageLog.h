// The MessageLog: a scrolling picture of coloured, word-wrapped lines, newest on top.
#pragma once
#include <cstdint>

#include "resources/Colours.h"

// A text starting with this byte empties the log instead of adding a line.
extern const char ClearLogCommand[];

// While set, appended texts are painted off-screen but not copied to the
// window; set at start, cleared for good at the end of the start-up text.
extern bool LogHeld;

// Creates and frees the log's surface (CreatePanelSurfaces and FreePanelSurfaces do it).
void CreateLogSurface();
void FreeLogSurface();

// Adds a line of Windows-1252 text in a 0x00BBGGRR colour on top, or clears the log.
void AppendMessage(const char* text, uint32_t colour);

// Copies the log's visible rows to the window, onto the image in PatternMode.
void PresentMessageLog();

// Writes the help text that the log shows after start-up, then clears LogHeld.
void WriteStartupText();
