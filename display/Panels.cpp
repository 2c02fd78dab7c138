// Side panels: each painted into a surface of its own, then copied to the window.
#include "display/Panels.h"

#include <cstdio>

#include "display/BackgroundImage.h"
#include "display/MessageLog.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Players.h"
#include "shell/platform/Surface.h"

static const int StatsWidth = 70;
static const int StatsHeight = 400;
static const int PlayersX = 270;
static const int PlayersWidth = 180;
static const int PlayersHeight = 148;
static const int TextX = 5;
// The image is only 270 wide: the right-hand panels take its columns 70..249.
static const int RightPanelImageX = 70;

// Colours, 0x00BBGGRR.
static const uint32_t Navy = 0x800000;
static const uint32_t PaleBlue = 0xFFC0C0;
static const uint32_t PreviewGreen = 0x00FF00;
static const uint32_t PreviewGrey = 0x808080;
static const uint32_t DarkRed = 0x000080;
static const uint32_t White = 0xFFFFFF;
static const uint32_t PaleRed = 0xC0C0FF;

static const char PlayersHeader[] = "--------- JOUEURS -------- H.";

static Surface* g_stats = nullptr;
static Surface* g_players = nullptr;

void CreatePanelSurfaces() {
  FreePanelSurfaces();
  g_stats = CreateSurface(StatsWidth, StatsHeight);
  SurfaceSelectFont(g_stats, StatsFont);
  g_players = CreateSurface(PlayersWidth, PlayersHeight);  // keeps the surface's default font
  CreateLogSurface();
}

void FreePanelSurfaces() {
  if (g_stats) DeleteSurface(g_stats);
  if (g_players) DeleteSurface(g_players);
  g_stats = g_players = nullptr;
  FreeLogSurface();
}

// PatternMode is only switched on with a loaded image; the test of the image
// itself keeps a half-initialised start-up from reading a missing surface.
bool PanelsOnImage() { return PatternMode && ImageLoaded && ImageSurface; }

// The panel's part of the background image, or a plain colour.
static void PaintBackground(Surface* s, int imageX, uint32_t colour) {
  int w = SurfaceWidth(s), h = SurfaceHeight(s);
  if (PanelsOnImage()) {
    SurfaceBlit(s, 0, 0, w, h, ImageSurface, imageX, 0, CopyPixels);
    return;
  }
  SelectBrushAndPen(s, colour, colour);
  SurfaceRectangle(s, 0, 0, w, h);
  ReleaseBrushAndPen(s);
}

static void DrawNumber(Surface* s, int x, int y, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", int(value));
  SurfaceTextOut(s, x, y, text);
}

// Every PieceType is previewed in the same green, in half-size squares.
static void DrawNextPreview() {
  SelectBrushAndPen(g_stats, PreviewGreen, PreviewGrey);
  for (const PieceCell& c : NextPreview)
    SurfaceRectangle(g_stats, 10 * c.col, 10 * c.row, 10 * c.col + 10, 10 * c.row + 10);
  ReleaseBrushAndPen(g_stats);
}

void DrawStatsPanel() {
  if (!g_stats) return;
  PaintBackground(g_stats, 0, Navy);
  SurfaceTextColour(g_stats, PaleBlue);
  const PlayerEntry& me = LocalEntry();
  const struct {
    const char* label;
    int32_t value;
    int y;
  } counters[] = {{"Score", me.score, 10}, {"Niveau", Level, 90},
                  {"Lignes", me.lines, 170}, {"Fulrow", FulrowCount, 250}};
  for (const auto& c : counters) {
    SurfaceTextOut(g_stats, TextX, c.y, c.label);
    DrawNumber(g_stats, TextX, c.y + 30, c.value);
  }
  SurfaceTextOut(g_stats, TextX, 328, "Suivant");
  if (!MatchOver) DrawNextPreview();
  SurfaceBlit(WindowSurface(), 0, 0, StatsWidth, StatsHeight, g_stats, 0, 0, CopyPixels);
}

// A name fills its 36 bytes when it has no terminator; it is cut there.
static void DrawPlayerLine(int i) {
  const PlayerEntry& p = PlayerTable[i];
  char text[sizeof p.name + 1];
  std::snprintf(text, sizeof text, "%.*s", int(sizeof p.name), p.name);
  int y = 18 + 16 * i;
  SurfaceTextColour(g_players, AliveFlags[i] == 'O' ? White : PaleRed);
  SurfaceTextOut(g_players, TextX, y, text);
  std::snprintf(text, sizeof text, "%02d", int(p.height));
  SurfaceTextOut(g_players, 150, y, text);
}

void DrawPlayersPanel() {
  if (!g_players) return;
  PaintBackground(g_players, RightPanelImageX, DarkRed);
  SurfaceTextColour(g_players, White);
  SurfaceTextOut(g_players, TextX, 2, PlayersHeader);
  for (int i = 0; i <= HighestIndex && i < MaxTablePlayers; ++i) DrawPlayerLine(i);
  SurfaceBlit(WindowSurface(), PlayersX, 0, PlayersWidth, PlayersHeight, g_players, 0, 0,
              CopyPixels);
}
