// Helpers that set up a headless Solo match in a known state.
#include "tests/TestMatch.h"

#include <algorithm>
#include <cstring>

#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "shell/platform/null/NullControl.h"

void StartTestMatch(uint32_t seed, int32_t height, int32_t level, uint32_t clock) {
  NullSetClock(clock);
  StartHeight = height;
  Level = level;
  ResetGame(true, Solo);
  MatchSeed = seed;
  ResetGame(false);
  StartMatch();
  NullResetRecords();
}

void EmptyPlayArea() {
  for (int r = 0; r <= 21; ++r) std::memset(&Board[r][1], 0, 10);
}

void FillRow(int r, std::initializer_list<int> holes) {
  for (int c = 1; c <= 10; ++c)
    Board[r][c] = std::find(holes.begin(), holes.end(), c) == holes.end() ? 8 : 0;
}

void PlacePiece(uint8_t type, std::initializer_list<PieceCell> cells) {
  CurrentType = type;
  std::copy(cells.begin(), cells.end(), MovingPiece);
  std::copy(cells.begin(), cells.end(), DrawnPiece);
}

void TickAfter(uint32_t ms) {
  NullAdvanceClock(ms);
  GameTick();
}
