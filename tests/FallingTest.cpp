// Gravity, soft drop and the spawn's stack height. A spawn over the stack, the loss, is played by
// the golden replays stack_loss and penalty_overflow.
#include <gtest/gtest.h>

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
