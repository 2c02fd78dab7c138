// Locking: full rows removed and scored, the level rise, penalty rows, and the starting garbage.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/TestMatch.h"

// Row `r` as Stack() shows it when `count` draws from d[from] on each filled column 1 + d % 10.
static std::string DrawnRow(int r, const std::vector<int>& d, int from, int count) {
  std::string row(10, '.');
  for (int i = 0; i < count; ++i) row[d[from + i] % 10] = '8';
  return std::to_string(r) + ":" + row + " ";
}

TEST(ResetBoard, GarbageRowsTakeSevenDrawsEachFromTheBottomUpBeforeTheFirstPiece) {
  for (int32_t height : {0, 15}) {
    SCOPED_TRACE(height);
    StartTestMatch(200, height);
    std::vector<int> d = ReferenceDraws(200, 7 * height + 2);
    std::string want;
    for (int k = height - 1; k >= 0; --k) want += DrawnRow(21 - k, d, 7 * k, 7);
    EXPECT_EQ(Stack(), want);
    EXPECT_EQ(CurrentType, 1 + d[7 * height] % 7);
    EXPECT_EQ(NextType, 1 + d[7 * height + 1] % 7);
  }
}

TEST(LockPiece, RowsTwentyAndEighteenGoAndRowNineteenDropsIntoTwenty) {
  StartTestMatch(5);
  Board[0][2] = 3;  // rows 0..17 move down two rows and leave row 0 empty
  Board[17][8] = 1;
  FillRow(18, {5});
  FillRow(19, {5, 6});
  FillRow(20, {5});
  FillRow(21, {5, 7});
  PlacePiece(7, {{5, 19}, {5, 18}, {5, 20}, {5, 21}});
  TickAfter(1001);
  EXPECT_EQ(LocalEntry().lines, 2);
  EXPECT_EQ(Stack(), "2:.3........ 19:.......1.. 20:88887.8888 21:888878.888 ");
}

TEST(LockPiece, ClearsScoreTheirPointsTimesTheLevelAfterTheRise) {
  struct ScoreCase { int32_t level, linesBefore, rows, levelAfter, points; };
  const ScoreCase cases[] = {
      {0, 0, 1, 0, 0}, {0, 9, 1, 1, 40}, {2, 0, 2, 2, 200}, {0, 25, 3, 1, 300}, {3, 0, 4, 3, 3600}};
  for (const auto& s : cases) {
    SCOPED_TRACE(s.points);
    StartTestMatch(5, 0, s.level);
    LocalEntry().lines = s.linesBefore;
    LandBar(s.rows);
    EXPECT_EQ(LocalEntry().lines, s.linesBefore + s.rows);
    EXPECT_EQ(Level, s.levelAfter);
    EXPECT_EQ(LocalEntry().score, s.points);
    EXPECT_EQ(FulrowCount, s.rows == 4 ? 1 : 0);
  }
}

TEST(LockPiece, PenaltyRowsRiseFromTheFloorTopRowFirstAtMost22) {
  for (int32_t pending : {3, 30}) {
    SCOPED_TRACE(pending);
    StartTestMatch(9);
    Board[0][2] = 3;  // the hidden rows keep their cells unless penalty rows reach them
    Board[21][1] = 2;
    PlacePiece(1, {{9, 20}, {9, 21}, {10, 20}, {10, 21}});
    PendingPenalty = pending;
    TickAfter(1001);
    int rows = std::min(pending, 22);  // the rows above the floor
    std::vector<int> d = ReferenceDraws(9, 2 + 6 * rows + 1);  // after the start's two types
    std::string want = rows == 3 ? "0:.3........ 17:........11 18:2.......11 " : "";
    for (int k = 0; k < rows; ++k) want += DrawnRow(22 - rows + k, d, 2 + 6 * k, 6);
    EXPECT_EQ(Stack(), want);
    EXPECT_EQ(PendingPenalty, 0);
    EXPECT_EQ(NextType, 1 + d.back() % 7);
  }
}
