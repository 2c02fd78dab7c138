// Helpers that set up a headless Solo match in a known state.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "game/Board.h"

// A Solo match at the given seed, height and level, clock at `clock`, records reset.
void StartTestMatch(uint32_t seed = 0, int32_t height = 0, int32_t level = 0, uint32_t clock = 1000);

// Empties the play area (columns 1..10 of rows 0..21), keeping walls and floor.
void EmptyPlayArea();

// Fills row r in columns 1..10 except the listed holes.
void FillRow(int r, std::initializer_list<int> holes = {});

// Makes the Piece (both copies) the given type at the given cells.
void PlacePiece(uint8_t type, std::initializer_list<PieceCell> cells);

// Runs GameTick once after advancing the fake clock by ms.
void TickAfter(uint32_t ms);
