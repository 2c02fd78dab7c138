// Game set-up, match start, the alive count, the start request and GameTick's stage order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/MessageLog.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

namespace {

// Every value that a reset may or may not touch, set to something no reset produces.
void MakeEverythingDirty() {
  GameMode = Client;
  MyIndex = 3;
  HighestIndex = 4;
  std::strcpy(AliveFlags, "ONONO");
  StartRequest = 1;
  MatchOver = 0;
  MatchSeed = 77;
  AppendMessage("old line", 0);
  std::strcpy(Alias, "Ginette");
  for (PlayerEntry& p : PlayerTable) p = {"", 123, 45, 6};
  std::strcpy(PlayerTable[0].name, "old name");
  PendingPenalty = 5;
  FulrowCount = 2;
  Level = 7;
  StartHeight = 2;
  std::memset(&Board[5][1], 3, 10);
}

// The two garbage rows and empty rows above that MatchSeed `seed` gives.
void ExpectBoardBuiltFrom(uint32_t seed) {
  std::vector<int> d = ReferenceDraws(seed, 14);
  uint8_t want[2][12] = {};
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 7; ++i) want[k][1 + d[7 * k + i] % 10] = 8;
  for (int r = 0; r <= 19; ++r) EXPECT_EQ(FilledCells(r), 0) << r;
  for (int k = 0; k < 2; ++k)
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(Board[21 - k][c], want[k][c]) << c;
}

void ExpectMatchRecordsCleared() {
  EXPECT_EQ(PendingPenalty, 0);
  EXPECT_EQ(FulrowCount, 0);
  for (const PlayerEntry& p : PlayerTable) {
    EXPECT_EQ(p.score, 0);
    EXPECT_EQ(p.lines, 0);
    EXPECT_EQ(p.height, 2);
  }
  EXPECT_EQ(Level, 7);  // the level carries over into the next match
}

struct ModeCase {
  int32_t mode;
  int32_t myIndex;
};

TEST(ResetGame, FullSetsUpANewGameOfTheMode) {
  for (const ModeCase& m : {ModeCase{Solo, 99}, ModeCase{Server, 0}, ModeCase{Client, 99}}) {
    SCOPED_TRACE(m.mode);
    MakeEverythingDirty();
    SeedRandom(0x12345678u);
    ResetGame(true, m.mode);
    EXPECT_EQ(GameMode, m.mode);
    EXPECT_EQ(MyIndex, m.myIndex);
    EXPECT_EQ(&LocalEntry(), &PlayerTable[0]);
    EXPECT_EQ(HighestIndex, 0);
    EXPECT_EQ(MessageLine(0), nullptr);
    EXPECT_EQ(StartRequest, 0);
    EXPECT_EQ(MatchOver, 1);
    EXPECT_STREQ(PlayerTable[0].name, "Ginette");
    EXPECT_STREQ(AliveFlags, "N");
    EXPECT_EQ(MatchSeed, uint32_t(ReferenceDraws(0x12345678u, 1)[0] & 0xFF));
    ExpectMatchRecordsCleared();
    ExpectBoardBuiltFrom(MatchSeed);
  }
}

TEST(ResetGame, PartialClearsOnlyTheMatchRecordsAndTheBoard) {
  MakeEverythingDirty();
  ResetGame(false, Server);
  EXPECT_EQ(GameMode, Client);
  EXPECT_EQ(MyIndex, 3);
  EXPECT_EQ(&LocalEntry(), &PlayerTable[3]);
  EXPECT_EQ(HighestIndex, 4);
  EXPECT_STREQ(AliveFlags, "ONONO");
  EXPECT_EQ(StartRequest, 1);
  EXPECT_EQ(MatchOver, 0);
  EXPECT_EQ(MatchSeed, 77u);
  ASSERT_NE(MessageLine(0), nullptr);
  EXPECT_EQ(std::string(MessageLine(0)), "old line");
  EXPECT_STREQ(PlayerTable[0].name, "old name");
  ExpectMatchRecordsCleared();
  ExpectBoardBuiltFrom(77);
}

TEST(StartMatch, MarksEveryPlayerAliveAndDrawsCurrentThenNextType) {
  StartTestMatch(40);
  HighestIndex = 2;
  std::strcpy(AliveFlags, "NNN");
  MatchOver = 1;
  SeedRandom(99);
  std::vector<int> d = ReferenceDraws(99, 2);
  StartMatch();
  EXPECT_EQ(MatchOver, 0);
  EXPECT_STREQ(AliveFlags, "OOO");
  EXPECT_EQ(CountAlive(), 3);
  EXPECT_EQ(CurrentType, 1 + d[0] % 7);
  EXPECT_EQ(NextType, 1 + d[1] % 7);
  PieceCell spawn[4];
  SpawnCells(CurrentType, spawn);
  EXPECT_EQ(Cells(DrawnPiece), Cells(spawn));
}

TEST(CountAlive, CountsOnlyTheRowsInUse) {
  HighestIndex = 3;
  std::strcpy(AliveFlags, "ONOOO");  // the fifth flag lies past the highest row
  EXPECT_EQ(CountAlive(), 3);
  HighestIndex = 0;
  EXPECT_EQ(CountAlive(), 1);
  std::strcpy(AliveFlags, "N");
  EXPECT_EQ(CountAlive(), 0);
}

struct StartCase {
  int32_t mode;
  const char* alive;
  uint8_t request;
};

TEST(RequestStart, OnlyAServerWithAtMostOnePlayerAliveAsksForAStart) {
  const StartCase cases[] = {{Solo, "N", 0},    {Solo, "O", 0},    {Client, "NN", 0},
                             {Client, "ON", 0}, {Server, "OO", 0}, {Server, "OONO", 0},
                             {Server, "N", 1},  {Server, "NO", 1}, {Server, "NNNN", 1}};
  for (const StartCase& s : cases) {
    SCOPED_TRACE(testing::Message() << s.mode << " " << s.alive);
    GameMode = s.mode;
    HighestIndex = int32_t(std::strlen(s.alive)) - 1;
    std::strcpy(AliveFlags, s.alive);
    StartRequest = 0;
    RequestStart();
    EXPECT_EQ(StartRequest, s.request);
  }
  GameMode = Solo;
  HighestIndex = 0;
}

TEST(GameTick, AServerAloneStartsAMatchWithSpaceAndItsLossEndsIt) {
  StartTestMatch();
  MatchOver = 1;
  ResetGame(true, Server);
  ASSERT_EQ(CountAlive(), 0);
  RequestStart();
  NullAdvanceClock(25);
  GameTick();
  EXPECT_EQ(StartRequest, 0);
  EXPECT_EQ(MatchOver, 0);
  EXPECT_STREQ(AliveFlags, "O");
  ASSERT_NE(MessageLine(0), nullptr);
  EXPECT_EQ(std::string(MessageLine(0)), "Go !");
  EXPECT_EQ(MessageColour(0), 0x008000u);
  EXPECT_EQ(LastStepTime, TickCount());

  Board[2][5] = 8;
  PlacePiece(1, {{5, 20}, {5, 21}, {6, 20}, {6, 21}});
  TickAfter(1001);
  EXPECT_EQ(MatchOver, 1);
  EXPECT_STREQ(AliveFlags, "N");
  RequestStart();  // the next match may be asked for at once
  EXPECT_EQ(StartRequest, 1);
  ResetGame(true, Solo);
}

TEST(GameTick, TheStartStageRunsAfterGravity) {
  StartTestMatch(4, 0, 21);
  ResetGame(true, Server);
  MatchSeed = 4;
  ResetGame(false);
  StartMatch();
  GameKeyDown(KeyDown);
  RequestStart();
  uint64_t slept = NullSleptMs();
  std::vector<int> d = ReferenceDraws(4, 3);
  TickAfter(0);
  // Gravity slept for its soft-drop step in the old match; then the new
  // match began with a seed drawn after the old match's two draws.
  EXPECT_EQ(NullSleptMs() - slept, 20u);
  EXPECT_EQ(MatchSeed, uint32_t(d[2] & 0xFF));
  EXPECT_EQ(CurrentType, 1 + ReferenceDraws(MatchSeed, 1)[0] % 7);
  PieceCell spawn[4];
  SpawnCells(CurrentType, spawn);
  EXPECT_EQ(Cells(DrawnPiece), Cells(spawn));
  EXPECT_EQ(LocalEntry().score, 0);
  EXPECT_EQ(LastStepTime, TickCount());
  ResetGame(true, Solo);
}

TEST(GameTick, NoGravityWhileTheMatchIsOver) {
  StartTestMatch(4, 0, 21);
  CellList shown = Cells(DrawnPiece);
  MatchOver = 1;
  TickAfter(5000);
  EXPECT_EQ(Cells(DrawnPiece), shown);
  MatchOver = 0;
  TickAfter(0);
  EXPECT_EQ(DrawnPiece[0].row, shown[0].second + 1);
}

}  // namespace
