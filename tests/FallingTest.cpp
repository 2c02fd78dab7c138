// The falling Piece: the lock's clears and scores, and the spawn's stack height. Gravity across
// the counter's wrap, soft drops, turns (about cell 0, against the walls and the floor), the
// loss, the starting garbage and the penalty rows are played by the golden replays; a level
// past 20 stepping at every stage by the rules-alone match.
#include <gtest/gtest.h>

#include "tests/TestMatch.h"

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

TEST(Spawn, StackHeightCountsUpFromTheFloorToTheFirstEmptyRow) {
  StartTestMatch(3);
  for (int r : {21, 20, 19, 18, 10, 5}) Board[r][1 + r % 10] = 8;  // row 17 empty
  SpawnPiece();
  EXPECT_EQ(StackHeight, 4);
  EXPECT_EQ(LocalEntry().height, 4);
}
