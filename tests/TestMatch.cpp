// Helpers that set up a headless Solo match in a known state.
#include "tests/TestMatch.h"

#include <algorithm>
#include <cstring>

#include "display/Playfield.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"

void StartTestMatch(uint32_t seed, int32_t height, int32_t level, uint32_t clock) {
  NullSetClock(clock);
  PatternMode = 0;
  SoftDropActive = 0;
  SoftDropAllowed = 1;
  RotationHeld = 0;
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

void PlacePiece(uint8_t type, const std::vector<PieceCell>& cells) {
  CurrentType = type;
  std::copy(cells.begin(), cells.end(), MovingPiece);
  std::copy(cells.begin(), cells.end(), DrawnPiece);
}

void TickAfter(uint32_t ms) {
  NullAdvanceClock(ms);
  GameTick();
}

void TapKey(int32_t keyCode) {
  GameKeyDown(keyCode);
  GameKeyUp(keyCode);
}

CellList Cells(const PieceCell piece[4]) {
  CellList out;
  for (int i = 0; i < 4; ++i) out.emplace_back(piece[i].col, piece[i].row);
  return out;
}

std::vector<int> ReferenceDraws(uint32_t seed, int count) {
  std::vector<int> out;
  uint64_t state = seed;
  for (int i = 0; i < count; ++i) {
    state = (state * 214013 + 2531011) % (uint64_t(1) << 32);
    out.push_back(int(state / 65536 % 32768));
  }
  return out;
}

int FilledCells(int r) {
  return int(std::count_if(&Board[r][1], &Board[r][11], [](uint8_t v) { return v != 0; }));
}

uint32_t PlayfieldAt(int x, int y) { return Playfield[y * PlayfieldWidth + x]; }

uint32_t WindowAt(int x, int y) { return SurfacePixels(WindowSurface())[y * WindowWidth + x]; }

void FillWindow(uint32_t pixel) {
  uint32_t* px = SurfacePixels(WindowSurface());
  std::fill(px, px + WindowWidth * WindowHeight, pixel);
}
