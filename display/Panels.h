// The StatsPanel (score, level, lines, next piece) and the PlayersPanel.
#pragma once

// Draws the StatsPanel and copies it to the window.
void DrawStatsPanel();

// Draws the PlayersPanel and copies it to the window.
void DrawPlayersPanel();
