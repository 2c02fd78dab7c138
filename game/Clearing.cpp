// What a landing does to the Board: clears, scoring, level rise, penalty rows.
#include "game/Clearing.h"

#include <algorithm>
#include <cstring>

#include "game/Board.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "game/Players.h"
#include "game/RuleHooks.h"

int32_t Level = 0;
int32_t LastClearCount = 0;
int32_t FulrowCount = 0;
int32_t PendingPenalty = 0;
int32_t StartHeight = 0;
uint32_t MatchSeed = 0;

static const int32_t ClearPoints[5] = {0, 40, 100, 300, 1200};

static bool RowFull(int r) {
  for (int c = 1; c <= 10; ++c)
    if (Board[r][c] == 0) return false;
  return true;
}

static void EmptyRow(int r) { std::memset(&Board[r][1], 0, 10); }

// A full row is emptied the moment it is found, so a row holding several
// cells of the Piece counts once.
static int RemoveFullRows(int32_t removed[4]) {
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    int r = DrawnPiece[i].row;
    removed[i] = 0;
    if (RowFull(r)) {
      removed[i] = r;
      EmptyRow(r);
      ++n;
    }
  }
  return n;
}

static void ScoreClear(int n) {
  LocalEntry().lines += n;
  if (n == 4) FulrowCount += 1;
  if (LocalEntry().lines / 10 > Level) Level += 1;
  LocalEntry().score += ClearPoints[n] * Level;
}

// The removed rows vanish from the middle outward, two cells a row per frame.
static void AnimateClear(const int32_t removed[4]) {
  for (int k = 0; k < 5; ++k) {
    Rules.ClearFrame(removed, k);
    Rules.Wait(30);
  }
}

// The highest removed row goes first: a collapse moves only the rows above
// it, so the row numbers still to handle stay valid.
static void CollapseRows(const int32_t removed[4]) {
  for (int i = 0; i < 4; ++i) {
    int r = removed[i];
    if (r < 1) continue;
    for (int y = r; y > 0; --y) std::memcpy(&Board[y][1], &Board[y - 1][1], 10);
    EmptyRow(0);
  }
}

static void FillRandomCells(int r, int draws) {
  for (int i = 0; i < draws; ++i) Board[r][1 + NextRandom() % 10] = WallCell;
}

// More rows than the grid holds are dropped: the Board is never written
// outside its rows, whatever the opponents sent.
static void InsertPenaltyRows(int32_t a) {
  a = std::min(a, MaxPenaltyRows);
  for (int r = 2; r <= 21 - a; ++r) std::memcpy(&Board[r][1], &Board[r + a][1], 10);
  for (int r = 22 - a; r <= 21; ++r) {
    EmptyRow(r);
    FillRandomCells(r, 6);
  }
}

void LockPiece() {
  for (const PieceCell& c : DrawnPiece) Board[c.row][c.col] = CurrentType;
  int32_t removed[4];
  int n = RemoveFullRows(removed);
  LastClearCount = n;
  Rules.PieceLanded(n);
  if (n > 0) {
    ScoreClear(n);
    std::sort(removed, removed + 4);
    AnimateClear(removed);
    CollapseRows(removed);
  }
  int32_t a = PendingPenalty;
  if (a > 0) InsertPenaltyRows(a);
  if (n > 0 || a > 0) Rules.BoardChanged();
  PendingPenalty = 0;
  CurrentType = NextType;
  SpawnPiece();
}

void ResetBoard() {
  SeedRandom(MatchSeed);
  std::memset(Board, 0, sizeof Board);
  for (int r = 0; r <= 22; ++r) Board[r][0] = Board[r][11] = WallCell;
  std::memset(&Board[22][1], WallCell, 10);
  // A height beyond the grid (a hand-edited setting) stops at its top row.
  for (int r = 21; r > 21 - StartHeight && r >= 0; --r) FillRandomCells(r, 7);
  Rules.BoardReset();
  LocalEntry().height = StartHeight;
}
