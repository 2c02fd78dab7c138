// Gravity, key handling and spawning: how the Piece moves between two locks.
#include "game/Falling.h"

#include "game/Board.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "game/Players.h"
#include "game/RuleHooks.h"

int32_t StepInterval = 1000;
uint32_t LastStepTime = 0;
uint8_t SoftDropActive = 0;
uint8_t SoftDropAllowed = 1;
uint8_t RotationHeld = 0;
int32_t StackHeight = 0;

// The layer above sets them: the rules know no key of their own.
int32_t KeyLeft = 0;
int32_t KeyRight = 0;
int32_t KeyDown = 0;
int32_t KeyRotLeft = 0;
int32_t KeyRotRight = 0;

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
    Rules.Wait(20);
  } else if (!StepDue(Rules.Now())) {
    return;
  }
  for (PieceCell& c : MovingPiece) c.row += 1;
  if (PieceFits()) {
    CommitPiece();
  } else {
    RevertPiece();
    LockPiece();
  }
  LastStepTime = Rules.Now();
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

static bool SpawnOverlaps() {
  for (const PieceCell& c : DrawnPiece)
    if (Board[c.row][c.col] != 0) return true;
  return false;
}

static void LoseMatch() {
  MatchOver = 1;
  AliveFlags[LocalRow()] = 'N';
  Rules.LocalLoss();
}

void SpawnPiece() {
  LastStepTime = Rules.Now();
  NextType = uint8_t(1 + NextRandom() % 7);
  UpdateNextPreview();
  StackHeight = MeasureStack();
  LocalEntry().height = StackHeight;
  SpawnCells(CurrentType, MovingPiece);
  SpawnCells(CurrentType, DrawnPiece);
  Rules.PieceSpawned(StackHeight);
  if (SpawnOverlaps()) LoseMatch();
  // A soft drop ends with the Piece it dropped: the key must be pressed anew.
  SoftDropAllowed = SoftDropActive ? 0 : 1;
  SoftDropActive = 0;
  RotationHeld = 0;
}
