// Board cells, piece shapes and the fit-tested moves of the falling Piece.
#include "game/Board.h"

#include <algorithm>

#include "game/RuleHooks.h"

uint8_t Board[BoardRows][BoardCols];
PieceCell MovingPiece[4];
PieceCell DrawnPiece[4];
uint8_t CurrentType = 1;
uint8_t NextType = 1;
PieceCell NextPreview[4];

// Column of cell 3 at spawn, for types 1..7.
static const int32_t SpawnColumn[8] = {0, 6, 5, 5, 5, 4, 6, 7};

static const uint32_t TypeColours[9] = {
    0x00FF00, 0x0000FF, 0x00C000, 0xFF8080, 0x80FFFF, 0x0080FF, 0xC000FF, 0xC0C0C0, 0x00FF00};

uint32_t TypeColour(uint8_t value) {
  return value >= 1 && value <= 7 ? TypeColours[value] : TypeColours[8];
}

void SpawnCells(uint8_t t, PieceCell out[4]) {
  out[0] = {5, 2};
  out[1] = t == 1 ? PieceCell{5, 3} : t == 2 ? PieceCell{4, 3} : PieceCell{4, 2};
  out[2] = t == 4 ? PieceCell{6, 3} : PieceCell{6, 2};
  out[3] = t <= 6 ? PieceCell{SpawnColumn[t], 3} : PieceCell{SpawnColumn[7], 2};
}

void UpdateNextPreview() {
  SpawnCells(NextType, NextPreview);
  for (PieceCell& c : NextPreview) c = {c.col - 3, c.row + 33};
}

bool PieceFits() {
  for (const PieceCell& c : MovingPiece) {
    if (c.col < 0 || c.col >= BoardCols || c.row < 0 || c.row >= BoardRows) return false;
    if (Board[c.row][c.col] != 0) return false;
  }
  return true;
}

void ShiftPiece(Direction d) {
  for (PieceCell& c : MovingPiece) c.col += d;
}

void RotatePiece(Turn t) {
  const PieceCell centre = MovingPiece[0];
  for (int i = 1; i < 4; ++i) {
    int32_t dx = MovingPiece[i].col - centre.col, dy = MovingPiece[i].row - centre.row;
    MovingPiece[i] = t == CounterClockwise ? PieceCell{centre.col + dy, centre.row - dx}
                                           : PieceCell{centre.col - dy, centre.row + dx};
  }
}

void CommitPiece() {
  // The screen still shows the drawn copy: it is erased there before it is overwritten.
  Rules.PieceMoved();
  std::copy(MovingPiece, MovingPiece + 4, DrawnPiece);
}

void RevertPiece() { std::copy(DrawnPiece, DrawnPiece + 4, MovingPiece); }
