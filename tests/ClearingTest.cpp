// Locking: full rows removed and scored, the level rise, penalty rows, and the Board's reset.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "tests/TestMatch.h"

namespace {

using Grid = std::array<std::array<uint8_t, BoardCols>, BoardRows>;

Grid Snapshot() {
  Grid g;
  for (int r = 0; r < BoardRows; ++r) std::memcpy(g[r].data(), Board[r], BoardCols);
  return g;
}

// The grid of a fresh Board: walls in columns 0 and 11 down to the floor row 22.
Grid EmptyGrid() {
  Grid g{};
  for (int r = 0; r <= 22; ++r) g[r][0] = g[r][11] = 8;
  for (int c = 0; c < BoardCols; ++c) g[22][c] = 8;
  return g;
}

// Whether the Playfield shows something in the middle of Board cell (c, r).
bool CellShown(int c, int r) { return PlayfieldAt((c - 1) * 20 + 10, (r - 2) * 20 + 10) != 0; }

bool PieceCovers(int c, int r) {
  for (const PieceCell& p : DrawnPiece)
    if (p.col == c && p.row == r) return true;
  return false;
}

// Lands a vertical bar in column 10 on a stack whose rows 22-n..21 lack only column 10.
void ClearRows(int n) {
  for (int r = 18; r <= 21; ++r) {
    if (r >= 22 - n) FillRow(r, {10});
    else FillRow(r, {9, 10});
  }
  PlacePiece(7, {{10, 19}, {10, 18}, {10, 20}, {10, 21}});
  TickAfter(1001);
}

TEST(ResetBoard, WithoutGarbageNothingIsDrawnBeforeTheFirstPiece) {
  StartTestMatch(200, 0);
  Grid board = Snapshot();
  EXPECT_EQ(board, EmptyGrid());
  std::vector<int> d = ReferenceDraws(200, 2);
  EXPECT_EQ(NextType, 1 + d[1] % 7);
  PieceCell first[4];
  SpawnCells(uint8_t(1 + d[0] % 7), first);
  EXPECT_EQ(Cells(DrawnPiece), Cells(first));
}

TEST(ResetBoard, FifteenGarbageRowsTakeSevenDrawsEachFromTheBottomRowUp) {
  StartTestMatch(200, 15);
  std::vector<int> d = ReferenceDraws(200, 107);
  Grid want = EmptyGrid();
  for (int k = 0; k < 15; ++k)
    for (int i = 0; i < 7; ++i) want[21 - k][1 + d[7 * k + i] % 10] = 8;
  EXPECT_EQ(Snapshot(), want);
  for (int r = 7; r <= 21; ++r) EXPECT_LE(FilledCells(r), 7) << r;
  EXPECT_EQ(CurrentType, 1 + d[105] % 7);
  EXPECT_EQ(NextType, 1 + d[106] % 7);
  EXPECT_EQ(StackHeight, 15);
  EXPECT_EQ(LocalEntry().height, 15);
}

TEST(LockPiece, RowsTwentyAndEighteenGoAndRowNineteenDropsIntoTwenty) {
  StartTestMatch(5);
  for (int r = 0; r <= 17; ++r) Board[r][1 + r % 10] = uint8_t(1 + r % 7);
  FillRow(18, {5});
  FillRow(19, {5, 6});
  FillRow(20, {5});
  FillRow(21, {5, 7});
  PlacePiece(7, {{5, 19}, {5, 18}, {5, 20}, {5, 21}});
  Grid before = Snapshot();
  TickAfter(1001);
  EXPECT_EQ(LastClearCount, 2);
  EXPECT_EQ(LocalEntry().lines, 2);
  Grid want = before;
  for (int r = 0; r <= 1; ++r) std::memset(&want[r][1], 0, 10);
  for (int r = 0; r <= 17; ++r) want[r + 2] = before[r];
  want[20] = before[19];
  want[20][5] = 7;
  want[21][5] = 7;
  EXPECT_EQ(Snapshot(), want);
  // The Playfield was redrawn from the collapsed Board.
  EXPECT_FALSE(CellShown(6, 20));
  EXPECT_TRUE(CellShown(7, 20));
}

struct ScoreCase {
  int32_t level, linesBefore, rows;
  int32_t levelAfter, points;
};

TEST(LockPiece, ClearsScoreTheirPointsTimesTheLevelAfterTheRise) {
  const ScoreCase cases[] = {
      {0, 0, 1, 0, 0},      {0, 9, 1, 1, 40},    {3, 0, 4, 3, 3600}, {5, 58, 1, 5, 200},
      {5, 59, 1, 6, 240},   {0, 8, 4, 1, 1200},  {0, 25, 3, 1, 300}, {2, 0, 2, 2, 200},
      {25, 250, 3, 25, 7500},
  };
  for (const ScoreCase& s : cases) {
    SCOPED_TRACE(testing::Message() << s.level << " " << s.linesBefore << " " << s.rows);
    StartTestMatch(5, 0, s.level);
    LocalEntry().lines = s.linesBefore;
    ClearRows(s.rows);
    EXPECT_EQ(LastClearCount, s.rows);
    EXPECT_EQ(LocalEntry().lines, s.linesBefore + s.rows);
    EXPECT_EQ(Level, s.levelAfter);
    EXPECT_EQ(LocalEntry().score, s.points);
    EXPECT_EQ(FulrowCount, s.rows == 4 ? 1 : 0);
  }
}

TEST(LockPiece, ALandingThatRemovesNothingLeavesThePlayfieldAlone) {
  StartTestMatch(5);
  Board[10][3] = 4;  // written behind the Playfield's back
  PlacePiece(1, {{5, 20}, {5, 21}, {6, 20}, {6, 21}});
  NextType = 4;
  TickAfter(1001);
  EXPECT_EQ(LastClearCount, 0);
  EXPECT_EQ(CurrentType, 4);
  PieceCell spawn[4];
  SpawnCells(4, spawn);
  EXPECT_EQ(Cells(DrawnPiece), Cells(spawn));
  EXPECT_EQ(Board[21][5], 1);
  EXPECT_FALSE(CellShown(3, 10));
  EXPECT_EQ(LocalEntry().score, 0);
}

struct PenaltyCase {
  int32_t pending;
  int firstPenaltyRow;
};

TEST(LockPiece, PenaltyRowsRiseFromTheFloorTopRowFirstAndNeverLeaveTheGrid) {
  const PenaltyCase cases[] = {{1, 21}, {3, 19}, {20, 2}, {21, 1}, {22, 0}, {30, 0}};
  for (const PenaltyCase& p : cases) {
    SCOPED_TRACE(p.pending);
    StartTestMatch(9);
    Board[0][2] = 3;
    Board[1][4] = 5;
    for (int r = 14; r <= 21; ++r) Board[r][1 + r % 10] = uint8_t(1 + r % 7);
    PlacePiece(1, {{9, 20}, {9, 21}, {10, 20}, {10, 21}});
    Grid before = Snapshot();
    for (auto [c, r] : Cells(DrawnPiece)) before[r][c] = 1;
    PendingPenalty = p.pending;
    TickAfter(1001);

    int shift = 22 - p.firstPenaltyRow, penaltyRows = shift;
    std::vector<int> d = ReferenceDraws(9, 2 + 6 * penaltyRows + 1);
    Grid want = before;
    for (int r = 2; r <= 21 - shift; ++r) want[r] = before[r + shift];
    for (int k = 0; k < penaltyRows; ++k) {
      int r = p.firstPenaltyRow + k;
      std::memset(&want[r][1], 0, 10);
      for (int i = 0; i < 6; ++i) want[r][1 + d[2 + 6 * k + i] % 10] = 8;
    }
    EXPECT_EQ(Snapshot(), want);
    EXPECT_EQ(PendingPenalty, 0);
    EXPECT_EQ(NextType, 1 + d.back() % 7);
    for (int r = std::max(p.firstPenaltyRow, 2); r <= 21; ++r) {
      EXPECT_GE(10 - FilledCells(r), 4);
      for (int c = 1; c <= 10; ++c) {
        if (Board[r][c] == 0 && !PieceCovers(c, r)) {
          EXPECT_FALSE(CellShown(c, r)) << c << "," << r;
        }
      }
    }
  }
}

TEST(LockPiece, PenaltyAndClearInOneLockRemoveFirstThenRaise) {
  StartTestMatch(9);
  FillRow(21, {9, 10});
  Board[20][3] = 6;
  PlacePiece(1, {{9, 20}, {9, 21}, {10, 20}, {10, 21}});
  PendingPenalty = 2;
  TickAfter(1001);
  EXPECT_EQ(LastClearCount, 1);
  // Row 20 fell into row 21, then the stack rose by two rows.
  EXPECT_EQ(Board[19][3], 6);
  EXPECT_EQ(Board[19][9], 1);
  EXPECT_EQ(Board[19][10], 1);
  EXPECT_EQ(FilledCells(19), 3);
  EXPECT_EQ(PendingPenalty, 0);
  EXPECT_TRUE(CellShown(3, 19));
}

}  // namespace
