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

static void ShowJoined(int row) {
  char line[MaxNameLength + 16];
  std::snprintf(line, sizeof line, "%s connect\xE9 !", PlayerTable[row].name);
  AppendMessage(line, GreenText);
}

// A Level past 99 would not fit its two digits and would shift every later field.
static void BuildJoinReply(int n) {
  int p = std::snprintf(ExchangeBuffer, ExchangeSize, "C%02d%02d%02d%03u%s", n,
                        int(std::min(Level, int32_t(99))), int(StartHeight), unsigned(MatchSeed),
                        AliveFlags);
  for (int j = 0; j <= n && p < ExchangeSize; ++j)
    p += std::snprintf(ExchangeBuffer + p, size_t(ExchangeSize - p), "%02d%s",
                       int(std::strlen(PlayerTable[j].name)), PlayerTable[j].name);
}

static void AdmitPlayer() {
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

static void AcceptJoinReply() {
  JoinReply r;
  if (!ReadJoinReply(&r)) return;
  HighestIndex = r.highest;
  Level = r.level;
  StartHeight = r.height;
  MatchSeed = uint32_t(r.seed);
  std::memcpy(AliveFlags, r.alive, sizeof r.alive);
  for (int i = 0; i <= HighestIndex; ++i) PlayerTable[i].height = StartHeight;
  for (int j = 0; j < r.names; ++j) std::memcpy(PlayerTable[j].name, r.name[j], MaxNameLength + 1);
  DrawStatsPanel();
  ResetBoard();
  PresentPlayfield();
  if (MyIndex == UnassignedIndex) {
    char line[sizeof ServerName + 16];
    std::snprintf(line, sizeof line, "Connect\xE9 \xE0 %s !", ServerName);
    AppendMessage(line, GreenText);
    MyIndex = HighestIndex;
  } else {
    ShowJoined(HighestIndex);
  }
  DrawPlayersPanel();
}

void HandleJoin() {
  if (GameMode == Server) AdmitPlayer();
  else if (GameMode == Client) AcceptJoinReply();
}

void HandleRefusal() { AppendMessage("Connexion refus\xE9" "e !", GreenText); }
