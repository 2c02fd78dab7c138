// Side panels: drawn once the window gives them surfaces and fonts.
#include "display/Panels.h"

void DrawStatsPanel() {}

void DrawPlayersPanel() {}
