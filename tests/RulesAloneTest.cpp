// The rules on their own library and their silent hooks: a Solo match played to its loss.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "game/Players.h"
#include "game/RuleHooks.h"

// Started as the match control starts Solo, on a level whose Piece steps at every stage.
TEST(RulesAlone, OnTheSilentHooksPiecesPileUpUntilOneCannotAppear) {
  Rules = SilentRules;
  MyIndex = UnassignedIndex;
  Level = 21;
  MatchSeed = 5;
  ResetBoard();
  MatchOver = 0;
  std::strcpy(AliveFlags, "O");
  CurrentType = uint8_t(1 + NextRandom() % 7);
  SpawnPiece();
  int stages = 0;
  for (; !MatchOver && stages < 5000; ++stages) GravityStage();
  ASSERT_EQ(MatchOver, 1) << "no loss after " << stages << " stages";
  EXPECT_STREQ(AliveFlags, "N");
  EXPECT_TRUE(std::any_of(DrawnPiece, DrawnPiece + 4, [](auto c) { return Board[c.row][c.col]; }));
  EXPECT_EQ(LocalEntry().height, StackHeight);
  EXPECT_GT(StackHeight, 0);
}
