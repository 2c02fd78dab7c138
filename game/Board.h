// The Board grid, the falling Piece in its two copies, and the moves that test them.
#pragma once
#include <cstdint>

constexpr int BoardRows = 24;
constexpr int BoardCols = 12;
constexpr uint8_t WallCell = 8;

// Row-major, cell (c, r) at Board[r][c]: walls in columns 0 and 11, floor in
// row 22, row 23 always empty; rows 0..1 are hidden, 2..21 visible.
extern uint8_t Board[BoardRows][BoardCols];

struct PieceCell {
  int32_t col;
  int32_t row;
};

// Cell 0 is the centre of rotation. MovingPiece is the candidate position,
// DrawnPiece the one on screen; they are equal outside an operation.
extern PieceCell MovingPiece[4];
extern PieceCell DrawnPiece[4];

extern uint8_t CurrentType;
extern uint8_t NextType;

// NextType's cells in half-size units of the StatsPanel (columns 1..4, rows 35..36).
extern PieceCell NextPreview[4];

enum Direction { Left = -1, Right = 1 };
enum Turn { CounterClockwise, Clockwise };

// Colour of a cell value in plain display, 0x00BBGGRR.
uint32_t TypeColour(uint8_t value);

// The four spawn cells of a PieceType 1..7.
void SpawnCells(uint8_t type, PieceCell out[4]);

// Sets NextPreview from NextType's spawn cells.
void UpdateNextPreview();

// True when every cell of the moving copy lies on an empty cell of the grid.
bool PieceFits();

// Moves the moving copy one column; does not test.
void ShiftPiece(Direction d);

// Turns cells 1..3 of the moving copy a quarter turn about cell 0; does not test.
void RotatePiece(Turn t);

// Accepts the moving copy: reports the move (Rules.PieceMoved), then the drawn copy follows.
void CommitPiece();

// Drops the moving copy back to the drawn copy; nothing is drawn.
void RevertPiece();
