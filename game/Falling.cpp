// Gravity, key handling and spawning: how the Piece moves between two locks.
#include "game/Falling.h"

#include <algorithm>
#include <cstdio>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Audio.h"
#include "shell/ScoreTable.h"
#include "shell/platform/Clock.h"

int32_t StepInterval = 1000;
uint32_t LastStepTime = 0;
uint8_t SoftDropActive = 0;
uint8_t SoftDropAllowed = 1;
uint8_t RotationHeld = 0;
int32_t StackHeight = 0;

int32_t KeyLeft = 331;
int32_t KeyRight = 333;
int32_t KeyDown = 336;
int32_t KeyRotLeft = 29;
int32_t KeyRotRight = 328;

int32_t StepIntervalFor(int32_t level) {
  return level < 10 ? 1000 - 90 * level : 310 - 15 * level;
}

// Compares elapsed time rather than a sum with the last step time, so that the
// tick counter wrapping past 2^32 does not make the Piece race for a second.
static bool StepDue(uint32_t now) {
  return StepInterval < 0 || now - LastStepTime > uint32_t(StepInterval);
}

void GravityStage() {
  if (MatchOver) return;
  StepInterval = StepIntervalFor(Level);
  if (SoftDropActive) {
    LocalEntry().score += 1;
    SleepMs(20);
  } else if (!StepDue(TickCount())) {
    return;
  }
  for (PieceCell& c : MovingPiece) c.row += 1;
  if (PieceFits()) {
    CommitPiece();
  } else {
    RevertPiece();
    LockPiece();
  }
  LastStepTime = TickCount();
}

void GameKeyDown(int32_t k) {
  if (MatchOver) return;
  if (k == KeyLeft) ShiftPiece(Left);
  if (k == KeyRight) ShiftPiece(Right);
  if (k == KeyDown && SoftDropAllowed) {
    SoftDropActive = 1;
    return;
  }
  // The press is used up before the fit test: a blocked turn still needs a release.
  if (k == KeyRotLeft && CurrentType > 1 && !RotationHeld) {
    RotationHeld = 1;
    RotatePiece(CounterClockwise);
  }
  if (k == KeyRotRight && CurrentType > 1 && !RotationHeld) {
    RotationHeld = 1;
    RotatePiece(Clockwise);
  }
  if (PieceFits()) CommitPiece();
  else RevertPiece();
}

void GameKeyUp(int32_t k) {
  if (k == KeyDown) {
    SoftDropActive = 0;
    SoftDropAllowed = 1;
  }
  if (k == KeyRotLeft || k == KeyRotRight) RotationHeld = 0;
}

static bool RowEmpty(int r) {
  for (int c = 1; c <= 10; ++c)
    if (Board[r][c] != 0) return false;
  return true;
}

// Counts occupied rows up from the floor; the first empty row ends the count.
static int32_t MeasureStack() {
  int32_t h = 0;
  for (int r = 21; r >= 2 && !RowEmpty(r); --r) ++h;
  return h;
}

// Receivers refuse a report whose fields overflow their fixed widths.
static long ReportedScore() { return long(std::min(LocalEntry().score, int32_t(999999))); }
static int ReportedLines() { return int(std::min(LocalEntry().lines, int32_t(999))); }

static void ReportHeight() {
  std::snprintf(ExchangeBuffer, ExchangeSize, "H%02d%06ld%03d%02d", LocalRow(), ReportedScore(),
                ReportedLines(), int(StackHeight));
  PublishMessage();
}

static bool SpawnOverlaps() {
  for (const PieceCell& c : DrawnPiece)
    if (Board[c.row][c.col] != 0) return true;
  return false;
}

static void LoseMatch() {
  PlayEffect("Perdu.wav");
  AppendMessage("Perdu !", 0x008000);
  MatchOver = 1;
  AliveFlags[LocalRow()] = 'N';
  DrawPlayersPanel();
  std::snprintf(ExchangeBuffer, ExchangeSize, "P%02d%06ld%03d", int(MyIndex), ReportedScore(),
                ReportedLines());
  PublishMessage();
  if (CountAlive() <= 1) ShowScoreTable(0);
}

void SpawnPiece() {
  LastStepTime = TickCount();
  NextType = uint8_t(1 + NextRandom() % 7);
  UpdateNextPreview();
  StackHeight = MeasureStack();
  LocalEntry().height = StackHeight;
  ReportHeight();
  DrawStatsPanel();
  DrawPlayersPanel();
  SpawnCells(CurrentType, MovingPiece);
  SpawnCells(CurrentType, DrawnPiece);
  RedrawPiece();
  PresentPlayfield();
  if (SpawnOverlaps()) LoseMatch();
  // A soft drop ends with the Piece it dropped: the key must be pressed anew.
  SoftDropAllowed = SoftDropActive ? 0 : 1;
  SoftDropActive = 0;
  RotationHeld = 0;
}
