// Joining a network game: the request and its answer on the Server, the reply and the refusal on a Client.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "net/MatchServices.h"
#include "net/Messages.h"
#include "net/Transport.h"
#include "shell/platform/Clock.h"

static void ShowJoined(int row) {
  char line[MaxNameLength + 16];
  std::snprintf(line, sizeof line, "%s connect\xE9 !", PlayerTable[row].name);
  AppendMessage(line, GreenText);
}

// A Level past 99 would not fit its two digits and would shift every later field.
// The reply for row n lists rows 0..n.
static void BuildJoinReply(int n) {
  int p = std::snprintf(ExchangeBuffer, ExchangeSize, "C%02d%02d%02d%03u%.*s", n,
                        int(std::min(Level, int32_t(99))), int(StartHeight), unsigned(MatchSeed),
                        n + 1, AliveFlags);
  for (int j = 0; j <= n && p < ExchangeSize; ++j)
    p += std::snprintf(ExchangeBuffer + p, size_t(ExchangeSize - p), "%02d%s",
                       int(std::strlen(PlayerTable[j].name)), PlayerTable[j].name);
}

// A repeated request means the reply was lost, or is late: the row's reply
// goes again, to that address only, then the reply of the latest join, which
// tells of the rows that came after it.
static void AnswerAgain(int row) {
  BuildJoinReply(row);
  SendToSender();
  if (row == HighestIndex) return;
  BuildJoinReply(HighestIndex);
  SendToSender();
}

static void AdmitPlayer() {
  int held = SenderRow();
  if (held >= 1) {
    AnswerAgain(held);
    return;
  }
  if (HighestIndex + 1 >= PlayerLimit()) {
    std::snprintf(ExchangeBuffer, ExchangeSize, "X");
    SendToSender();
    return;
  }
  int n = HighestIndex + 1;
  PeerTable[n] = SenderAddress;
  HighestIndex = n;
  AliveFlags[n] = 'N';
  AliveFlags[n + 1] = '\0';
  CopyName(n, ExchangeBuffer + 1, int(std::strlen(ExchangeBuffer + 1)));
  PlayerTable[n].height = StartHeight;
  BuildJoinReply(n);
  SendToClients(0);
  ShowJoined(n);
  if (n + 1 >= PlayerLimit() && CountAlive() == 0) StartRequest = 1;
  DrawPlayersPanel();
}

struct JoinReply {
  int highest, level, height, seed;
  char alive[MaxTablePlayers + 1];
  int names;                              // rows that the reply names
  char name[MaxTablePlayers][MaxNameLength + 1];
};

static bool ReadNames(JoinReply* r) {
  int length = int(std::strlen(ExchangeBuffer));
  int p = 11 + r->highest;
  for (r->names = 0; p < length; ++r->names) {
    int m = 0;
    if (r->names > r->highest || !ReadDigits(p, 2, &m) || p + 2 + m > length) return false;
    int kept = std::min(m, MaxNameLength);
    std::memcpy(r->name[r->names], ExchangeBuffer + p + 2, size_t(kept));
    r->name[r->names][kept] = '\0';
    p += m + 2;
  }
  return true;
}

// Every field is checked before anything changes, so a malformed reply leaves the game as it was.
static bool ReadJoinReply(JoinReply* r) {
  if (!ReadDigits(1, 2, &r->highest) || r->highest < 1 || r->highest >= MaxTablePlayers) return false;
  if (MyIndex != UnassignedIndex && r->highest < MyIndex) return false;
  if (!ReadDigits(3, 2, &r->level) || !ReadDigits(5, 2, &r->height) || r->height > 15) return false;
  if (!ReadDigits(7, 3, &r->seed) || r->seed > 255) return false;
  for (int i = 0; i <= r->highest; ++i) {
    char c = ExchangeBuffer[10 + i];
    if (c != 'O' && c != 'N') return false;
    r->alive[i] = c;
  }
  r->alive[r->highest + 1] = '\0';
  return ReadNames(r);
}

// Before its admission a Client may get the reply of a later join when its own
// was lost: its row is the one that carries its name, the newest row first.
static int OwnRow(const JoinReply& r) {
  if (r.names <= r.highest || std::strcmp(r.name[r.highest], Alias) == 0) return r.highest;
  int found = -1;
  for (int j = 1; j < r.highest; ++j) {
    if (std::strcmp(r.name[j], Alias) != 0) continue;
    if (found >= 0) return -1;
    found = j;
  }
  return found;
}

// The reply's Level, StartHeight and seed make a new Board: on this Client's
// admission, or between matches. In a running match a later join only adds rows.
static void TakeTable(const JoinReply& r, bool fresh) {
  int before = HighestIndex;
  HighestIndex = r.highest;
  for (int j = 0; j < r.names; ++j) std::memcpy(PlayerTable[j].name, r.name[j], MaxNameLength + 1);
  if (!fresh) {
    for (int i = before + 1; i <= HighestIndex; ++i) {
      AliveFlags[i] = r.alive[i];
      PlayerTable[i].height = r.height;
    }
    AliveFlags[HighestIndex + 1] = '\0';
    return;
  }
  Level = r.level;
  StartHeight = r.height;
  MatchSeed = uint32_t(r.seed);
  std::memcpy(AliveFlags, r.alive, sizeof r.alive);
  for (int i = 0; i <= HighestIndex; ++i) PlayerTable[i].height = StartHeight;
  DrawStatsPanel();
  ResetBoard();
  PresentPlayfield();
}

// A reply for this Client's own row, or an earlier one, once admitted is a
// repeat that crossed the admission: the table already holds it.
static void AcceptJoinReply() {
  JoinReply r;
  if (!ReadJoinReply(&r)) return;
  bool admission = MyIndex == UnassignedIndex;
  int mine = admission ? OwnRow(r) : MyIndex;
  if (mine < 0 || (!admission && r.highest <= MyIndex)) return;
  TakeTable(r, admission || MatchOver);
  if (admission) {
    StopJoinRequests();
    PeerTable[0] = SenderAddress;
    char line[sizeof ServerName + 16];
    std::snprintf(line, sizeof line, "Connect\xE9 \xE0 %s !", ServerName);
    AppendMessage(line, GreenText);
    MyIndex = mine;
  } else {
    ShowJoined(HighestIndex);
  }
  DrawPlayersPanel();
}

void HandleJoin() {
  if (GameMode == Server) AdmitPlayer();
  else if (GameMode == Client) AcceptJoinReply();
}

void HandleRefusal() {
  StopJoinRequests();
  AppendMessage("Connexion refus\xE9" "e !", GreenText);
}

static bool g_joinPending = false;
static uint32_t g_joinFirst = 0;
static uint32_t g_joinLast = 0;
static const uint32_t JoinRepeatMs = 1000;
static const uint32_t JoinPatienceMs = 10000;

void SendJoinRequest() {
  std::snprintf(ExchangeBuffer, ExchangeSize, "C%s", Alias);
  SendToPeer(0);
  g_joinLast = TickCount();
  if (!g_joinPending) g_joinFirst = g_joinLast;
  g_joinPending = true;
}

void StopJoinRequests() { g_joinPending = false; }

// Giving up leaves the game the way a departure does: if the Server admitted
// this Client and only its replies were lost, the departure frees the row.
void RepeatJoinRequest() {
  if (!g_joinPending) return;
  uint32_t now = TickCount();
  if (now - g_joinFirst >= JoinPatienceMs) {
    LeaveGame();
    ResetGame(true, Solo);
    AppendMessage("Pas de r\xE9ponse du serveur.", RedText);
  } else if (now - g_joinLast >= JoinRepeatMs) {
    SendJoinRequest();
  }
}
