// Helpers that set up a headless Solo match in a known state.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "game/Board.h"

// A Solo match at the given seed, height and level, clock at `clock`, records reset.
void StartTestMatch(uint32_t seed = 0, int32_t height = 0, int32_t level = 0,
                    uint32_t clock = 1000);

// Empties the play area (columns 1..10 of rows 0..21), keeping walls and floor.
void EmptyPlayArea();

// Fills row r in columns 1..10 except the listed holes.
void FillRow(int r, std::initializer_list<int> holes = {});

// Makes the Piece (both copies) the given type at the given cells.
void PlacePiece(uint8_t type, const std::vector<PieceCell>& cells);

// Runs GameTick once after advancing the fake clock by ms.
void TickAfter(uint32_t ms);

// A key pressed and released, as a tap on the keyboard delivers it.
void TapKey(int32_t keyCode);

// The four cells of a Piece copy as (column, row) pairs, for comparisons.
using CellList = std::vector<std::pair<int, int>>;
CellList Cells(const PieceCell piece[4]);

// Results of the generator's rule worked out apart from the program's own:
// `count` draws after seeding with `seed`.
std::vector<int> ReferenceDraws(uint32_t seed, int count);

// Non-zero cells of Board row r in columns 1..10.
int FilledCells(int r);

// Pixel (x, y) of the Playfield and of the window's client area.
uint32_t PlayfieldAt(int x, int y);
uint32_t WindowAt(int x, int y);

// Paints every pixel of the window with one value, so that untouched pixels stand out.
void FillWindow(uint32_t pixel);
