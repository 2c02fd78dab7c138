// Side panels: each painted into a surface of its own, then copied to the window.
#include "display/Panels.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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

// What the PlayersPanel surface shows, row by row: a height report changes one
// number, and rendering text is by far the dearest step, so only a changed row
// is painted again, from a strip that keeps its background and rendered name.
struct ShownRow {
  bool shown;
  bool alive;
  int32_t height;
  char name[sizeof PlayerEntry::name + 1];
  Surface* strip;  // background and name, valid while stripValid
  bool stripValid;
};
static ShownRow g_rows[MaxTablePlayers];
static bool g_playersPainted = false;
static const Surface* g_playersBackground = nullptr;  // the image painted under it, or none
// The band of panel rows painted since the window last got them.
static int g_changedTop = PlayersHeight;
static int g_changedBottom = 0;

static void RowsChanged(int top, int bottom) {
  g_changedTop = std::min(g_changedTop, top);
  g_changedBottom = std::max(g_changedBottom, bottom);
}

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
  for (ShownRow& r : g_rows) {
    if (r.strip) DeleteSurface(r.strip);
    r = ShownRow{};
  }
  g_playersPainted = false;
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

static const int RowHeight = 16;
static const int HeightX = 150;

static int RowTop(int i) { return 18 + RowHeight * i; }

// The panel's background under one row, on the row's strip or on the panel itself.
static void PaintRowBackground(Surface* s, int y, int imageY) {
  if (PanelsOnImage()) {
    SurfaceBlit(s, 0, y, PlayersWidth, RowHeight, ImageSurface, RightPanelImageX, imageY,
                CopyPixels);
    return;
  }
  SelectBrushAndPen(s, DarkRed, DarkRed);
  SurfaceRectangle(s, 0, y, PlayersWidth, y + RowHeight);
  ReleaseBrushAndPen(s);
}

// A name fills its 36 bytes when it has no terminator; it is cut there.
static void RenderNameStrip(int i, uint32_t colour) {
  ShownRow& r = g_rows[i];
  const PlayerEntry& p = PlayerTable[i];
  if (!r.strip) r.strip = CreateSurface(PlayersWidth, RowHeight);
  PaintRowBackground(r.strip, 0, RowTop(i));
  std::snprintf(r.name, sizeof r.name, "%.*s", int(sizeof p.name), p.name);
  SurfaceTextColour(r.strip, colour);
  SurfaceTextOut(r.strip, TextX, 0, r.name);
  r.stripValid = true;
}

static void DrawPlayerLine(int i) {
  ShownRow& r = g_rows[i];
  const PlayerEntry& p = PlayerTable[i];
  bool alive = AliveFlags[i] == 'O';
  uint32_t colour = alive ? White : PaleRed;
  bool sameName = r.stripValid && r.alive == alive &&
                  std::strncmp(r.name, p.name, sizeof p.name) == 0;
  if (r.shown && sameName && r.height == p.height) return;
  if (!sameName) RenderNameStrip(i, colour);
  SurfaceBlit(g_players, 0, RowTop(i), PlayersWidth, RowHeight, r.strip, 0, 0, CopyPixels);
  char text[16];
  std::snprintf(text, sizeof text, "%02d", int(p.height));
  SurfaceTextColour(g_players, colour);
  SurfaceTextOut(g_players, HeightX, RowTop(i), text);
  RowsChanged(RowTop(i), RowTop(i) + RowHeight);
  r.shown = true;
  r.alive = alive;
  r.height = p.height;
}

static void ClearPlayerLine(int i) {
  if (!g_rows[i].shown) return;
  PaintRowBackground(g_players, RowTop(i), RowTop(i));
  RowsChanged(RowTop(i), RowTop(i) + RowHeight);
  g_rows[i].shown = false;
}

static void PaintWholePlayersPanel() {
  PaintBackground(g_players, RightPanelImageX, DarkRed);
  SurfaceTextColour(g_players, White);
  SurfaceTextOut(g_players, TextX, 2, PlayersHeader);
  for (ShownRow& r : g_rows) r.shown = r.stripValid = false;
  RowsChanged(0, PlayersHeight);
  g_playersPainted = true;
  g_playersBackground = PanelsOnImage() ? ImageSurface : nullptr;
}

// Only the rows painted since the last copy go to the window: a report that
// changes nothing on the screen copies nothing.
static void CopyChangedRows() {
  if (g_changedTop < g_changedBottom)
    SurfaceBlit(WindowSurface(), PlayersX, g_changedTop, PlayersWidth,
                g_changedBottom - g_changedTop, g_players, 0, g_changedTop, CopyPixels);
  g_changedTop = PlayersHeight;
  g_changedBottom = 0;
}

void PresentPlayersPanel() {
  if (!g_players) return;
  RowsChanged(0, PlayersHeight);
  CopyChangedRows();
}

void DrawPlayersPanel() {
  if (!g_players) return;
  if (!g_playersPainted || g_playersBackground != (PanelsOnImage() ? ImageSurface : nullptr))
    PaintWholePlayersPanel();
  for (int i = 0; i < MaxTablePlayers; ++i) {
    if (i <= HighestIndex) DrawPlayerLine(i);
    else ClearPlayerLine(i);
  }
  CopyChangedRows();
}
