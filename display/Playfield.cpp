// Cell painting into the Playfield and its copies to the window.
#include "display/Playfield.h"

#include <algorithm>
#include <iterator>

#include "game/Board.h"
#include "shell/platform/Surface.h"

uint32_t Playfield[PlayfieldWidth * PlayfieldHeight];
uint32_t TileAtlas[8 * CellSize * AtlasStride];
uint8_t PatternMode = 0;

static DrawTools g_displacedTools;

static const uint32_t BevelLight = 0xFFFFFF;
static const uint32_t BevelShade = 0x808080;

uint32_t ColourToPixel(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

static uint32_t* CellOrigin(int i, int j) {
  return &Playfield[j * CellSize * PlayfieldWidth + i * CellSize];
}

static void DrawTexture(uint32_t* cell, uint8_t value) {
  int t = value >= 1 && value <= 8 ? value - 1 : 7;
  const uint32_t* tex = &TileAtlas[t * CellSize * AtlasStride];
  for (int y = 0; y < CellSize; ++y)
    std::copy(tex + y * AtlasStride, tex + y * AtlasStride + CellSize, cell + y * PlayfieldWidth);
}

static void DrawPlain(uint32_t* cell, uint8_t value) {
  uint32_t face = ColourToPixel(TypeColour(value));
  std::fill(cell, cell + CellSize, BevelLight);
  for (int y = 1; y < CellSize - 1; ++y) {
    uint32_t* row = cell + y * PlayfieldWidth;
    row[0] = BevelLight;
    std::fill(row + 1, row + CellSize - 1, face);
    row[CellSize - 1] = BevelShade;
  }
  uint32_t* bottom = cell + (CellSize - 1) * PlayfieldWidth;
  std::fill(bottom, bottom + CellSize, BevelShade);
}

void DrawCell(int i, int j, uint8_t value) {
  if (i < 0 || j < 0) return;
  if (PatternMode) DrawTexture(CellOrigin(i, j), value);
  else DrawPlain(CellOrigin(i, j), value);
}

void ClearCell(int i, int j) {
  if (i < 0 || j < 0) return;
  uint32_t* cell = CellOrigin(i, j);
  for (int y = 0; y < CellSize; ++y) std::fill_n(cell + y * PlayfieldWidth, CellSize, 0u);
}

void RedrawBoard() {
  std::fill(std::begin(Playfield), std::end(Playfield), 0u);
  for (int r = 2; r <= 21; ++r)
    for (int c = 1; c <= 10; ++c)
      if (Board[r][c] != 0) DrawCell(c - 1, r - 2, Board[r][c]);
}

void RedrawPiece() {
  for (const PieceCell& c : DrawnPiece) ClearCell(c.col - 1, c.row - 2);
  for (const PieceCell& c : MovingPiece) DrawCell(c.col - 1, c.row - 2, CurrentType);
}

void PresentPlayfield() {
  SurfacePutPixels(WindowSurface(), PlayfieldX, 0, Playfield, PlayfieldWidth, 0, 0,
                   PlayfieldWidth, PlayfieldHeight);
}

void PresentPieceColumns() {
  int lo = DrawnPiece[0].col, hi = lo;
  for (int i = 0; i < 4; ++i) {
    lo = std::min({lo, DrawnPiece[i].col, MovingPiece[i].col});
    hi = std::max({hi, DrawnPiece[i].col, MovingPiece[i].col});
  }
  int s = (lo - 1) * CellSize, w = hi * CellSize - s;
  SurfacePutPixels(WindowSurface(), PlayfieldX + s, 0, Playfield, PlayfieldWidth, s, 0, w,
                   PlayfieldHeight);
}

void BlankPlayfield() {
  SelectBrushAndPen(WindowSurface(), 0x000000, 0x000000);
  SurfaceRectangle(WindowSurface(), PlayfieldX, 0, PlayfieldX + PlayfieldWidth, PlayfieldHeight);
  ReleaseBrushAndPen(WindowSurface());
}

void SelectBrushAndPen(Surface* s, uint32_t fill, uint32_t outline) {
  g_displacedTools = SurfaceSelectTools(s, {fill, outline});
}

void ReleaseBrushAndPen(Surface* s) { SurfaceSelectTools(s, g_displacedTools); }
