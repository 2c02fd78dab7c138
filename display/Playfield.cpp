// Cell painting into the Playfield and its copies to the window.
#include "display/Playfield.h"

#include <algorithm>
#include <iterator>

#include "game/Board.h"
#include "shell/platform/Surface.h"

uint32_t Playfield[PlayfieldWidth * PlayfieldHeight];
uint32_t TileAtlas[8 * CellSize * AtlasStride];
uint8_t PatternMode = 0;
uint8_t GhostMode = 0;
uint8_t PlayfieldHidden = 0;

static DrawTools g_displacedTools;

// The ghost cells now painted in the Playfield, so that they can be erased without the
// Piece's old position: the Board may have moved on since.
static PieceCell g_ghost[4];
static int g_ghostCount = 0;

static const uint32_t BevelLight = 0xFFFFFF;
static const uint32_t BevelShade = 0x808080;

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

// A ghost cell in plain mode: a one-pixel frame in the Piece's colour around a black inside.
static void DrawOutline(uint32_t* cell, uint8_t value) {
  uint32_t edge = ColourToPixel(TypeColour(value));
  for (int y = 0; y < CellSize; ++y) {
    uint32_t* row = cell + y * PlayfieldWidth;
    if (y == 0 || y == CellSize - 1) {
      std::fill_n(row, CellSize, edge);
      continue;
    }
    std::fill_n(row, CellSize, 0u);
    row[0] = row[CellSize - 1] = edge;
  }
}

// A ghost cell in PatternMode: the Piece's texture at half brightness.
static void DrawDarkTexture(uint32_t* cell, uint8_t value) {
  DrawTexture(cell, value);
  for (int y = 0; y < CellSize; ++y)
    for (uint32_t* p = cell + y * PlayfieldWidth; p != cell + y * PlayfieldWidth + CellSize; ++p)
      *p = (*p >> 1) & 0x7F7F7F;
}

static bool CellEmpty(int32_t col, int32_t row) {
  return col >= 0 && col < BoardCols && row >= 0 && row < BoardRows && Board[row][col] == 0;
}

static bool InMovingPiece(const PieceCell& c) {
  for (const PieceCell& m : MovingPiece)
    if (m.col == c.col && m.row == c.row) return true;
  return false;
}

// The moving copy dropped as far as empty Board cells let it; false when it does not fit
// where it stands, and then there is no landing place to show.
static bool FindLandingCells(PieceCell out[4]) {
  std::copy(MovingPiece, MovingPiece + 4, out);
  auto fitsBelow = [out](int32_t d) {
    for (int i = 0; i < 4; ++i)
      if (!CellEmpty(out[i].col, out[i].row + d)) return false;
    return true;
  };
  if (!fitsBelow(0)) return false;
  int32_t drop = 0;
  while (fitsBelow(drop + 1)) ++drop;
  for (int i = 0; i < 4; ++i) out[i].row += drop;
  return true;
}

// Only cells the Board still leaves empty are erased: a settled cell is never blackened.
void HideGhost() {
  for (int i = 0; i < g_ghostCount; ++i)
    if (CellEmpty(g_ghost[i].col, g_ghost[i].row)) ClearCell(g_ghost[i].col - 1, g_ghost[i].row - 2);
  g_ghostCount = 0;
}

// The cells the moving copy covers are left to it: the ghost lies below the Piece.
static void DrawGhost() {
  PieceCell landing[4];
  if (!GhostMode || !FindLandingCells(landing)) return;
  for (const PieceCell& c : landing) {
    if (InMovingPiece(c) || c.col < 1 || c.row < 2) continue;
    g_ghost[g_ghostCount++] = c;
    uint32_t* cell = CellOrigin(c.col - 1, c.row - 2);
    if (PatternMode) DrawDarkTexture(cell, CurrentType);
    else DrawOutline(cell, CurrentType);
  }
}

void RedrawGhost() {
  HideGhost();
  DrawGhost();
  for (const PieceCell& c : MovingPiece) DrawCell(c.col - 1, c.row - 2, CurrentType);
}

void RedrawBoard() {
  std::fill(std::begin(Playfield), std::end(Playfield), 0u);
  g_ghostCount = 0;
  for (int r = 2; r <= 21; ++r)
    for (int c = 1; c <= 10; ++c)
      if (Board[r][c] != 0) DrawCell(c - 1, r - 2, Board[r][c]);
}

// The ghost of the drawn copy lies in the drawn copy's columns and the new one in the
// moving copy's, so PresentPieceColumns still covers everything that changed.
void RedrawPiece() {
  for (const PieceCell& c : DrawnPiece) ClearCell(c.col - 1, c.row - 2);
  RedrawGhost();
}

void PresentPlayfield() {
  if (PlayfieldHidden) {
    BlankPlayfield();
    return;
  }
  SurfacePutPixels(WindowSurface(), PlayfieldX, 0, Playfield, PlayfieldWidth, 0, 0,
                   PlayfieldWidth, PlayfieldHeight);
}

void PresentPieceColumns() {
  if (PlayfieldHidden) return;
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
