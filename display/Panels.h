// The StatsPanel (score, level, lines, next piece) and the PlayersPanel.
#pragma once

// Creates the StatsPanel, PlayersPanel and MessageLog surfaces with their
// fonts; until then (and after FreePanelSurfaces) the panel operations draw nothing.
void CreatePanelSurfaces();

// Frees the three panel surfaces at shutdown.
void FreePanelSurfaces();

// True when the panels take their backgrounds from the background image.
bool PanelsOnImage();

// Repaints the StatsPanel from the local player's counters and copies it to the window.
void DrawStatsPanel();

// Repaints the PlayersPanel rows whose player changed and copies them to the window.
void DrawPlayersPanel();

// Copies the whole PlayersPanel to the window, for a window painted over.
void PresentPlayersPanel();
