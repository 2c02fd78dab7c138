// Helpers that set up a headless Solo match in a known state.
#include "tests/TestMatch.h"

#include <algorithm>

#include "display/Playfield.h"  // PatternMode, GhostMode
#include "shell/Program.h"
#include "shell/platform/null/NullControl.h"

void StartTestMatch(uint32_t seed, int32_t height, int32_t level, uint32_t clock) {
  ConnectLayers();
  NullSetClock(clock);
  PatternMode = GhostMode = 0;
  SoftDropActive = 0;  // the spawn then allows a soft drop and frees rotation
  StartHeight = height;
  Level = level;
  ResetGame(true, Solo);
  MatchSeed = seed;
  ResetGame(false);
  StartMatch();
  NullResetRecords();
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

void LandBar(int n) {
  for (int r = 18; r <= 21; ++r) FillRow(r, {r >= 22 - n ? 10 : 9, 10});
  PlacePiece(7, {{10, 19}, {10, 18}, {10, 20}, {10, 21}});
  TickAfter(1001);
}

CellList Cells(const PieceCell piece[4]) {
  CellList out;
  for (int i = 0; i < 4; ++i) out.emplace_back(piece[i].col, piece[i].row);
  return out;
}

std::string Stack() {
  std::string out;
  for (int r = 0; r <= 21; ++r) {
    std::string row;
    for (int c = 1; c <= 10; ++c) row += Board[r][c] ? char('0' + Board[r][c]) : '.';
    if (row != "..........") out += std::to_string(r) + ":" + row + " ";
  }
  return out;
}
