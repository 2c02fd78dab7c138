// Game set-up and reset, the start request and GameTick's stage order.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "game/GameRandom.h"
#include "shell/Settings.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

// Every value that a reset may or may not touch, set to something no reset produces.
static void MakeEverythingDirty() {
  GameMode = Client;
  MyIndex = 3;
  HighestIndex = 4;
  std::strcpy(AliveFlags, "ONONO");
  StartRequest = 1;
  MatchOver = 0;
  MatchSeed = 77;
  AppendMessage("old line", 0);
  std::strcpy(Alias, "Ginette");
  for (PlayerEntry& p : PlayerTable) p = {"old name", 123, 45, 6};
  PendingPenalty = FulrowCount = 5;
  Level = 7;
  StartHeight = 2;
}

// Whether the MessageLog's part of the window shows any text.
static bool LogWritten() {
  PresentMessageLog();
  const uint32_t* px = SurfacePixels(WindowSurface());
  for (int y = 148; y < WindowHeight; ++y)
    for (int x = 270; x < WindowWidth; ++x)
      if (px[y * WindowWidth + x] != 0xFFFFFF) return true;
  return false;
}

// Mode, own row, highest row, alive flags, start request and match over, the first
// player's name, whether the log kept its line; then PendingPenalty, FulrowCount and Level.
static std::string GameSetUp() {
  char text[200];
  std::snprintf(text, sizeof text, "%d %d %d %s %d%d %s, %s; %d %d %d", GameMode, MyIndex,
                HighestIndex, AliveFlags, StartRequest, MatchOver, PlayerTable[0].name,
                LogWritten() ? "old line" : "-", PendingPenalty, FulrowCount, Level);
  return text;
}

TEST(ResetGame, FullSetsUpANewGameOfTheModePartialOnlyANewMatch) {
  const struct { bool full; int32_t mode; const char* setUp; } cases[] = {
      {true, Server, "1 0 0 N 01 Ginette, -; 0 0 7"},
      {true, Client, "2 99 0 N 01 Ginette, -; 0 0 7"},
      {false, Server, "2 3 4 ONONO 10 old name, old line; 0 0 7"}};
  for (const auto& c : cases) {
    MakeEverythingDirty();
    SeedRandom(0x12345678u);
    ResetGame(c.full, c.mode);
    EXPECT_EQ(GameSetUp(), c.setUp);
    SeedRandom(0x12345678u);
    EXPECT_EQ(MatchSeed, c.full ? NextRandom() & 0xFF : 77u);  // the full reset's first draw
    for (const auto& p : PlayerTable) EXPECT_TRUE(p.score == 0 && p.lines == 0 && p.height == 2);
  }
}

TEST(GameTick, GravityRunsBeforeTheStartStage) {
  StartTestMatch(4);
  ResetGame(true, Server);
  StartMatch();
  GameKeyDown(KeyDown);
  RequestStart();
  uint64_t slept = NullSleptMs();
  TickAfter(0);
  // The old match's soft-drop step slept and scored; then the new match began.
  EXPECT_EQ(NullSleptMs() - slept, 20u);
  EXPECT_EQ(StartRequest, 0);
  EXPECT_EQ(LocalEntry().score, 0);
}
