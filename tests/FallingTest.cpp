// Gravity, soft drop and the spawn with its stack height and loss test.
#include <gtest/gtest.h>

#include "display/MessageLog.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

// Every type spawns with cell 0 in row 2.
TEST(Gravity, StepsAfterStrictlyMoreThanTheLevelsIntervalAcrossTheCounterWrap) {
  const std::pair<int32_t, int32_t> speeds[] = {{0, 1000}, {9, 190}, {10, 160}, {20, 10}, {21, -5}};
  for (auto [level, interval] : speeds) {
    SCOPED_TRACE(level);
    // The spawn sets LastStepTime 6 ms before the counter wraps: at the first tick
    // LastStepTime + StepInterval has wrapped already and the counter not yet.
    StartTestMatch(3, 0, level, 0xFFFFFFFFu - 5);
    std::vector<int> rows;
    for (uint32_t ms : {1u, uint32_t(interval) - 1, 1u}) {  // then StepInterval has passed
      TickAfter(ms);
      rows.push_back(DrawnPiece[0].row);
    }
    EXPECT_EQ(StepInterval, interval);
    EXPECT_EQ(rows, (interval < 0 ? std::vector<int>{3, 4, 5} : std::vector<int>{2, 2, 3}));
  }
}

TEST(SoftDrop, EveryStepScoresTheLandingIncludedAndAKeyHeldThroughItMustBePressedAgain) {
  StartTestMatch(3);
  PlacePiece(1, {{5, 18}, {5, 19}, {6, 18}, {6, 19}});
  GameKeyDown(KeyDown);
  for (int i = 0; i < 3; ++i) TickAfter(0);  // two steps, then the landing
  EXPECT_EQ(LocalEntry().score, 3);
  GameKeyDown(KeyDown);  // the held key's auto-repeat
  TickAfter(1);
  EXPECT_EQ(DrawnPiece[0].row, 2);
  GameKeyUp(KeyDown);
  GameKeyDown(KeyDown);
  TickAfter(0);
  EXPECT_EQ(DrawnPiece[0].row, 3);

  GameKeyUp(KeyDown);  // released before the next landing: a press acts at once
  PlacePiece(1, {{1, 20}, {1, 21}, {2, 20}, {2, 21}});
  TickAfter(1001);
  GameKeyDown(KeyDown);
  TickAfter(0);
  EXPECT_EQ(DrawnPiece[0].row, 3);
}

TEST(Spawn, StackHeightCountsUpFromTheFloorToTheFirstEmptyRow) {
  StartTestMatch(3);
  for (int r : {21, 20, 19, 18, 10, 5}) Board[r][1 + r % 10] = 8;  // row 17 empty
  SpawnPiece();
  EXPECT_EQ(StackHeight, 4);
  EXPECT_EQ(LocalEntry().height, 4);
}

TEST(Spawn, APieceOverTheStackEndsTheMatchWithoutSettlingIt) {
  StartTestMatch(3);
  Board[2][5] = 8;  // cell 0 of every type spawns here
  PlacePiece(1, {{5, 20}, {5, 21}, {6, 20}, {6, 21}});
  TickAfter(1001);
  EXPECT_EQ(MatchOver, 1);
  EXPECT_STREQ(AliveFlags, "N");
  EXPECT_STREQ(MessageLine(0), "Perdu !");
  EXPECT_EQ(Board[2][5], 8);
  CellList shown = Cells(DrawnPiece);
  TickAfter(5000);  // nothing falls or moves any more
  GameKeyDown(KeyLeft);
  EXPECT_EQ(Cells(DrawnPiece), shown);
}
