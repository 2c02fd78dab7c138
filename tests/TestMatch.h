// Helpers that set up a headless Solo match in a known state, with the rules' state they set.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/GameState.h"

// A Solo match at the given seed, height and level, clock at `clock`, records reset.
void StartTestMatch(uint32_t seed = 0, int32_t height = 0, int32_t level = 0,
                    uint32_t clock = 1000);

// Fills row r in columns 1..10 except the listed holes.
void FillRow(int r, std::initializer_list<int> holes = {});

// Makes the Piece (both copies) the given type at the given cells.
void PlacePiece(uint8_t type, const std::vector<PieceCell>& cells);

// Runs GameTick once after advancing the fake clock by ms.
void TickAfter(uint32_t ms);

// Lands a vertical bar in column 10 on rows 18..21, of which the lowest n lack only
// column 10 and the others columns 9 and 10: the lock completes n rows.
void LandBar(int n);

// The four cells of a Piece copy as (column, row) pairs, for comparisons.
using CellList = std::vector<std::pair<int, int>>;
CellList Cells(const PieceCell piece[4]);

// Every row of 0..21 that holds a cell, as "row:cells " with '.' for an empty cell.
std::string Stack();
