// What a lock, a clear, a spawn and a loss show and tell while a match runs.
#include "net/Match.h"

#include <algorithm>
#include <cstdio>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Players.h"
#include "game/RuleHooks.h"
#include "net/GameState.h"
#include "net/MatchServices.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/platform/Clock.h"

static void ShowMove() {
  RedrawPiece();
  PresentPieceColumns();
}

static void SoundLanding(int rows) {
  Shell.PlayEffect(rows == 0 ? "Pose.wav" : rows == 4 ? "Fulrow.wav" : "Ligne.wav");
}

// The removed rows vanish from the middle outward, two cells a row per frame.
static void ShowClearFrame(const int32_t removed[4], int k) {
  for (int i = 0; i < 4; ++i) {
    if (removed[i] <= 0) continue;
    ClearCell(5 + k, removed[i] - 2);
    ClearCell(4 - k, removed[i] - 2);
  }
  PresentPlayfield();
}

static void ShowBoardChange() {
  RedrawBoard();
  DrawStatsPanel();
}

// Receivers refuse a report whose fields overflow their fixed widths.
static long ReportedScore() { return long(std::min(LocalEntry().score, int32_t(999999))); }
static int ReportedLines() { return int(std::min(LocalEntry().lines, int32_t(999))); }

static void ReportHeight(int32_t stackHeight) {
  std::snprintf(ExchangeBuffer, ExchangeSize, "H%02d%06ld%03d%02d", LocalRow(), ReportedScore(),
                ReportedLines(), int(stackHeight));
  PublishMessage();
}

static void ShowSpawn(int32_t stackHeight) {
  ReportHeight(stackHeight);
  DrawStatsPanel();
  DrawPlayersPanel();
  RedrawPiece();
  PresentPlayfield();
}

static void ReportLoss() {
  // MyIndex, not the local row: 99 before admission, so the Server can tell it names no row.
  std::snprintf(ExchangeBuffer, ExchangeSize, "P%02d%06ld%03d", int(MyIndex), ReportedScore(),
                ReportedLines());
  PublishMessage();
}

static void EndLocalMatch() {
  Shell.PlayEffect("Perdu.wav");
  AppendMessage("Perdu !", GreenText);
  DrawPlayersPanel();
  ReportLoss();
  if (CountAlive() <= 1) Shell.ShowScoreTable(0);
}

void InstallMatchHooks() {
  Rules = {TickCount,       SleepMs,     ShowMove,  SoundLanding, ShowClearFrame,
           ShowBoardChange, RedrawBoard, ShowSpawn, EndLocalMatch};
}
