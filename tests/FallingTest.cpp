// Gravity, soft drop, the game keys and the spawn with its loss test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/MessageLog.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "shell/platform/Clock.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

namespace {

const std::vector<PieceCell> SquareOnFloor = {{5, 20}, {5, 21}, {6, 20}, {6, 21}};
const std::vector<PieceCell> SquareAtSpawn = {{5, 2}, {5, 3}, {6, 2}, {6, 3}};

struct Speed {
  int32_t level;
  uint32_t interval;
};

TEST(Gravity, StepsOnlyAfterStrictlyMoreThanTheLevelsInterval) {
  const Speed speeds[] = {{0, 1000}, {9, 190}, {10, 160}, {20, 10}};
  for (const Speed& s : speeds) {
    SCOPED_TRACE(s.level);
    StartTestMatch(3, 0, s.level, 5000);
    int row = DrawnPiece[0].row;
    TickAfter(s.interval);
    EXPECT_EQ(DrawnPiece[0].row, row);
    EXPECT_EQ(StepInterval, int32_t(s.interval));
    TickAfter(1);
    EXPECT_EQ(DrawnPiece[0].row, row + 1);
    EXPECT_EQ(LastStepTime, 5001 + s.interval);
  }
}

TEST(Gravity, FromLevel21TheIntervalIsNegativeAndEveryTickSteps) {
  StartTestMatch(3, 0, 21, 5000);
  int row = DrawnPiece[0].row;
  TickAfter(0);
  TickAfter(0);
  EXPECT_LT(StepInterval, 0);
  EXPECT_EQ(DrawnPiece[0].row, row + 2);
}

TEST(Gravity, ElapsedTimeIsMeasuredAcrossTheTickCounterWrap) {
  // The second step is due 2002 ms after the spawn, past the wrap of the
  // counter; between the two steps LastStepTime + StepInterval would wrap.
  const uint32_t start = 0xFFFFFFFFu - 1499;
  StartTestMatch(3, 0, 0, start);
  std::vector<uint32_t> stepTimes;
  for (int ms = 1; ms <= 2100; ++ms) {
    int row = DrawnPiece[0].row;
    TickAfter(1);
    if (DrawnPiece[0].row != row) stepTimes.push_back(TickCount());
  }
  EXPECT_EQ(stepTimes, (std::vector<uint32_t>{start + 1001, start + 2002}));
  EXPECT_EQ(stepTimes.back(), 502u);
}

TEST(SoftDrop, EveryStepScoresAndSleeps20MsTheLandingIncluded) {
  StartTestMatch(3);
  PlacePiece(1, SquareAtSpawn);
  uint64_t slept = NullSleptMs();
  uint32_t clock = TickCount();
  GameKeyDown(KeyDown);
  for (int step = 1; step <= 18; ++step) {
    TickAfter(0);
    ASSERT_EQ(DrawnPiece[0].row, 2 + step);
  }
  EXPECT_EQ(Board[21][5], 0);
  TickAfter(0);  // the nineteenth step does not fit: the square lands
  EXPECT_EQ(Board[21][5], 1);
  EXPECT_EQ(Board[20][6], 1);
  EXPECT_EQ(LocalEntry().score, 19);
  EXPECT_EQ(NullSleptMs() - slept, 19u * 20);
  EXPECT_EQ(LastStepTime, clock + 19 * 20);
}

TEST(SoftDrop, HeldThroughALandingTheNextPieceFallsAtNormalSpeed) {
  StartTestMatch(3);
  PlacePiece(1, {{5, 19}, {5, 20}, {6, 19}, {6, 20}});
  GameKeyDown(KeyDown);
  TickAfter(0);
  TickAfter(0);
  ASSERT_EQ(Board[21][5], 1);
  EXPECT_EQ(SoftDropActive, 0);
  EXPECT_EQ(SoftDropAllowed, 0);
  int row = DrawnPiece[0].row;
  GameKeyDown(KeyDown);  // the key's auto-repeat while it is still held
  EXPECT_EQ(SoftDropActive, 0);
  TickAfter(1);
  TickAfter(500);
  EXPECT_EQ(DrawnPiece[0].row, row);
  int score = LocalEntry().score;
  GameKeyUp(KeyDown);
  GameKeyDown(KeyDown);
  EXPECT_EQ(SoftDropActive, 1);
  TickAfter(0);
  EXPECT_EQ(DrawnPiece[0].row, row + 1);
  EXPECT_EQ(LocalEntry().score, score + 1);
}

TEST(SoftDrop, APressStartsTheDropWithoutMovingOrDrawingAnything) {
  StartTestMatch(3);
  CellList shown = Cells(DrawnPiece);
  NullResetRecords();
  GameKeyDown(KeyDown);
  EXPECT_EQ(SoftDropActive, 1);
  EXPECT_EQ(Cells(DrawnPiece), shown);
  EXPECT_EQ(NullWindowDamage().count, 0);
}

TEST(SoftDrop, ReleasedBeforeTheLandingAPressActsAtOnce) {
  StartTestMatch(3);
  PlacePiece(1, {{5, 19}, {5, 20}, {6, 19}, {6, 20}});
  GameKeyDown(KeyDown);
  TickAfter(0);
  GameKeyUp(KeyDown);
  TickAfter(1001);  // the landing by gravity
  ASSERT_EQ(Board[21][5], 1);
  EXPECT_EQ(SoftDropAllowed, 1);
  GameKeyDown(KeyDown);
  EXPECT_EQ(SoftDropActive, 1);
}

TEST(GameKeys, TheSquareDoesNotTurnAndLeavesRotationFree) {
  StartTestMatch(3);
  PlacePiece(1, {{5, 10}, {5, 11}, {6, 10}, {6, 11}});
  GameKeyDown(KeyRotLeft);
  GameKeyDown(KeyRotRight);
  EXPECT_EQ(RotationHeld, 0);
  EXPECT_EQ(Cells(DrawnPiece), (CellList{{5, 10}, {5, 11}, {6, 10}, {6, 11}}));
}

TEST(GameKeys, ABlockedTurnUsesUpThePressUntilTheKeyIsReleased) {
  struct Case {
    int32_t* blocked;
    int32_t* other;
    CellList turned;  // after the release, from column 3
  };
  const Case cases[] = {{&KeyRotRight, &KeyRotLeft, {{3, 10}, {4, 10}, {2, 10}, {1, 10}}},
                        {&KeyRotLeft, &KeyRotRight, {{3, 10}, {2, 10}, {4, 10}, {5, 10}}}};
  for (const Case& t : cases) {
    StartTestMatch(3);
    EmptyPlayArea();
    PlacePiece(7, {{1, 10}, {1, 9}, {1, 11}, {1, 12}});
    GameKeyDown(*t.blocked);  // column 0 is wall
    EXPECT_EQ(RotationHeld, 1);
    TapKey(KeyRight);
    TapKey(KeyRight);
    CellList standing = {{3, 10}, {3, 9}, {3, 11}, {3, 12}};
    ASSERT_EQ(Cells(DrawnPiece), standing);
    GameKeyDown(*t.blocked);
    GameKeyDown(*t.other);
    EXPECT_EQ(Cells(DrawnPiece), standing);
    GameKeyUp(*t.blocked);
    EXPECT_EQ(RotationHeld, 0);
    GameKeyDown(*t.blocked);
    EXPECT_EQ(Cells(DrawnPiece), t.turned);
  }
}

TEST(GameKeys, ARotationKeyHeldThroughALandingTurnsTheNextPiece) {
  StartTestMatch(3);
  PlacePiece(6, {{5, 19}, {4, 19}, {6, 19}, {6, 20}});
  NextType = 3;
  GameKeyDown(KeyRotLeft);
  EXPECT_EQ(RotationHeld, 1);
  TickAfter(1001);
  TickAfter(1001);
  ASSERT_NE(FilledCells(21), 0);
  EXPECT_EQ(RotationHeld, 0);
  CellList spawned = Cells(DrawnPiece);
  GameKeyDown(KeyRotLeft);  // the held key's auto-repeat
  EXPECT_NE(Cells(DrawnPiece), spawned);
}

TEST(GameKeys, KeysNeverLockAPieceThatRestsOnTheFloor) {
  StartTestMatch(3);
  PlacePiece(1, SquareOnFloor);
  for (int32_t k : {KeyLeft, KeyRight, KeyRotLeft, KeyRotRight, KeyDown}) TapKey(k);
  EXPECT_EQ(Cells(DrawnPiece), (CellList{{5, 20}, {5, 21}, {6, 20}, {6, 21}}));
  for (int r = 0; r <= 21; ++r) EXPECT_EQ(FilledCells(r), 0) << r;
  TickAfter(1001);
  EXPECT_EQ(FilledCells(21), 2);
}

TEST(GameKeys, WhileTheMatchIsOverPressesAreIgnoredAndReleasesStillCount) {
  StartTestMatch(3, 0, 21);
  PlacePiece(5, {{5, 10}, {4, 10}, {6, 10}, {4, 11}});
  MatchOver = 1;
  for (int32_t k : {KeyLeft, KeyRight, KeyDown, KeyRotLeft, KeyRotRight}) GameKeyDown(k);
  GravityStage();
  EXPECT_EQ(Cells(DrawnPiece), (CellList{{5, 10}, {4, 10}, {6, 10}, {4, 11}}));
  EXPECT_EQ(SoftDropActive, 0);
  EXPECT_EQ(RotationHeld, 0);
  SoftDropAllowed = 0;
  RotationHeld = 1;
  GameKeyUp(KeyDown);
  GameKeyUp(KeyRotLeft);
  EXPECT_EQ(SoftDropAllowed, 1);
  EXPECT_EQ(RotationHeld, 0);
}

TEST(Spawn, TheNextStepComesAFullIntervalAfterTheLockEnded) {
  StartTestMatch(3);
  FillRow(21, {5, 6});
  PlacePiece(1, SquareOnFloor);
  GameKeyDown(KeyLeft);  // nothing moves: column 4 of row 21 is full
  uint64_t slept = NullSleptMs();
  TickAfter(1001);  // the step does not fit: lock, clear of row 21, animation
  ASSERT_EQ(LocalEntry().lines, 1);
  EXPECT_EQ(NullSleptMs() - slept, 150u);
  EXPECT_EQ(LastStepTime, TickCount());
  int row = DrawnPiece[0].row;
  TickAfter(1000);
  EXPECT_EQ(DrawnPiece[0].row, row);
  TickAfter(1);
  EXPECT_EQ(DrawnPiece[0].row, row + 1);
}

struct StackCase {
  std::vector<int> rowsWithACell;
  int32_t height;
};

TEST(Spawn, StackHeightCountsUpFromTheFloorToTheFirstEmptyRow) {
  std::vector<int> all;
  for (int r = 2; r <= 21; ++r) all.push_back(r);
  const StackCase cases[] = {
      {{21, 20, 19, 18, 10, 3}, 4}, {{}, 0}, {{21}, 1}, {{20, 19, 18}, 0}, {all, 20}};
  for (const StackCase& s : cases) {
    StartTestMatch(3);
    EmptyPlayArea();
    for (int r : s.rowsWithACell) Board[r][1 + r % 10] = 8;
    NextType = 4;
    CurrentType = 6;
    SpawnPiece();
    EXPECT_EQ(StackHeight, s.height);
    EXPECT_EQ(LocalEntry().height, s.height);
  }
}

TEST(Spawn, PlacesCurrentTypeAndDrawsTheNextType) {
  StartTestMatch(3);
  CurrentType = 2;
  std::vector<int> draws = ReferenceDraws(77, 1);
  SeedRandom(77);
  SpawnPiece();
  EXPECT_EQ(NextType, 1 + draws[0] % 7);
  PieceCell spawn[4], preview[4];
  SpawnCells(2, spawn);
  EXPECT_EQ(Cells(DrawnPiece), Cells(spawn));
  EXPECT_EQ(Cells(MovingPiece), Cells(spawn));
  SpawnCells(NextType, preview);
  for (PieceCell& c : preview) c = {c.col - 3, c.row + 33};
  EXPECT_EQ(Cells(NextPreview), Cells(preview));
}

TEST(Spawn, APieceOverTheStackEndsTheMatch) {
  StartTestMatch(3);
  Board[2][5] = 8;  // cell 0 of every type spawns here
  PlacePiece(1, SquareOnFloor);
  TickAfter(1001);
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(AliveFlags[0], 'N');
  EXPECT_EQ(CountAlive(), 0);
  ASSERT_NE(MessageLine(0), nullptr);
  EXPECT_EQ(std::string(MessageLine(0)), "Perdu !");
  EXPECT_EQ(MessageColour(0), 0x008000u);
  // Drawn over the stack, never written into the Board.
  EXPECT_EQ(Board[2][5], 8);
  EXPECT_EQ(PlayfieldAt(4 * 20 + 10, 10), ColourToPixel(TypeColour(CurrentType)));
  CellList shown = Cells(DrawnPiece);
  TickAfter(5000);
  TapKey(KeyLeft);
  EXPECT_EQ(Cells(DrawnPiece), shown);
  EXPECT_EQ(FilledCells(21), 2);
}

}  // namespace
