// The rules on their own: a match played on the silent hooks, and what a clearing lock reports, in order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "game/Players.h"
#include "game/RuleHooks.h"

// A Solo match as the match control would start it, on a level whose Piece steps at every stage.
static void StartAloneMatch(uint32_t seed, int32_t level) {
  MyIndex = UnassignedIndex;
  HighestIndex = 0;
  LocalEntry() = {};
  StartHeight = 0;
  PendingPenalty = 0;
  Level = level;
  MatchSeed = seed;
  ResetBoard();
  MatchOver = 0;
  std::strcpy(AliveFlags, "O");
  CurrentType = uint8_t(1 + NextRandom() % 7);
  SpawnPiece();
}

TEST(RulesAlone, OnTheSilentHooksPiecesPileUpUntilOneCannotAppear) {
  Rules = SilentRules;
  StartAloneMatch(5, 21);
  int stages = 0;
  for (; !MatchOver && stages < 5000; ++stages) GravityStage();
  ASSERT_EQ(MatchOver, 1) << "no loss after " << stages << " stages";
  EXPECT_STREQ(AliveFlags, "N");
  bool overlaps = false;
  for (const PieceCell& c : DrawnPiece) overlaps |= Board[c.row][c.col] != 0;
  EXPECT_TRUE(overlaps);
  EXPECT_EQ(LocalEntry().height, StackHeight);
  EXPECT_GT(StackHeight, 0);
  // The lost match stands still, whatever the stages and keys ask.
  uint8_t before[BoardRows][BoardCols];
  std::memcpy(before, Board, sizeof Board);
  for (int i = 0; i < 50; ++i) GravityStage();
  GameKeyDown(KeyLeft);
  EXPECT_EQ(std::memcmp(before, Board, sizeof Board), 0);
}

static std::vector<std::string> Heard;
static uint32_t Clock;

static void Hear(const std::string& what) { Heard.push_back(what); }

static const RuleHooks Recorder = {
    [] { Hear("now"); return Clock; },
    [](uint32_t ms) { Hear("wait " + std::to_string(ms)); Clock += ms; },
    [] { Hear("moved"); },
    // Lines show whether the rows were scored before the report.
    [](int rows) { Hear("landed " + std::to_string(rows) + " lines " +
                        std::to_string(LocalEntry().lines)); },
    [](const int32_t removed[4], int frame) {
      std::string rows;
      for (int i = 0; i < 4; ++i) rows += " " + std::to_string(removed[i]);
      Hear("frame " + std::to_string(frame) + rows);
    },
    [] { Hear("board changed, score " + std::to_string(LocalEntry().score)); },
    [] { Hear("board reset"); },
    [](int32_t height) { Hear("spawned " + std::to_string(height)); },
    [] { Hear("lost"); },
};

TEST(RulesAlone, AClearingLockReportsLandingFramesBoardAndSpawnInThatOrder) {
  Rules = SilentRules;
  StartAloneMatch(7, 3);
  Rules = Recorder;
  Heard.clear();
  Clock = 1000;
  for (int r = 20; r <= 21; ++r)
    for (int c = 1; c <= 9; ++c) Board[r][c] = WallCell;
  CurrentType = 7;
  const PieceCell bar[4] = {{10, 19}, {10, 18}, {10, 20}, {10, 21}};
  std::memcpy(MovingPiece, bar, sizeof bar);
  std::memcpy(DrawnPiece, bar, sizeof bar);
  PendingPenalty = 1;
  LastStepTime = 0;
  GravityStage();
  // Rows 20 and 21 go; the bar's two upper cells drop into them and one penalty row
  // rises under them: three rows stand when the next Piece appears.
  const std::vector<std::string> want = {
      "now",          "landed 2 lines 0",
      "frame 0 0 0 20 21", "wait 30", "frame 1 0 0 20 21", "wait 30",
      "frame 2 0 0 20 21", "wait 30", "frame 3 0 0 20 21", "wait 30",
      "frame 4 0 0 20 21", "wait 30", "board changed, score 300",
      "now",          "spawned 3",
      "now"};
  EXPECT_EQ(Heard, want);
  EXPECT_EQ(LastStepTime, 1150u);  // after the 150 ms of the animation
  Rules = SilentRules;
}
