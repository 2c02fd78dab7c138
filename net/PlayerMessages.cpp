// The players' own reports: departure, height, loss, rename and chat, relayed by the Server.
#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "net/GameState.h"
#include "net/MatchServices.h"
#include "net/Messages.h"
#include "net/Transport.h"

// The Server passes a report on to every other client before anything else
// can reuse the ExchangeBuffer that still holds it.
static void RelayReport(int row) {
  if (GameMode == Server) SendToClients(row);
}

static void ShowAbout(int row, const char* format) {
  char line[MaxNameLength + 32];
  std::snprintf(line, sizeof line, format, PlayerTable[row].name);
  AppendMessage(line, GreenText);
}

// The last player moves into the freed row, so the rows stay 0..HighestIndex without a gap.
static void FreeRow(int k) {
  int last = HighestIndex;
  if (k != last && MyIndex == last) MyIndex = k;
  PlayerTable[k] = PlayerTable[last];
  AliveFlags[k] = AliveFlags[last];
  if (GameMode == Server) {
    SendToClients(k);
    PeerTable[k] = PeerTable[last];
  }
  HighestIndex = last - 1;
  AliveFlags[last] = '\0';
  DrawPlayersPanel();
}

void HandleDeparture() {
  int k = 0;
  if (!ReadPlayer(&k)) return;
  ShowAbout(k, "%s d\xE9" "connect\xE9 !");
  if (k == 0) {
    AppendMessage("Partie arr\xEAt\xE9" "e !", GreenText);
    MatchOver = 1;
    MyIndex = UnassignedIndex;
    return;
  }
  FreeRow(k);
}

// Every field has a fixed width: a report of another length would have its
// fields read across their borders, and is refused.
static bool ReadReport(int length, int* row, int* score, int* lines) {
  return int(std::strlen(ExchangeBuffer)) == length && ReadDigits(3, 6, score) &&
         ReadDigits(9, 3, lines) && ReadPlayer(row);
}

void HandleHeight() {
  int k = 0, score = 0, lines = 0, height = 0;
  if (!ReadReport(14, &k, &score, &lines) || !ReadDigits(12, 2, &height) || height > 20) return;
  RelayReport(k);
  PlayerTable[k].score = score;
  PlayerTable[k].lines = lines;
  PlayerTable[k].height = height;
  DrawPlayersPanel();
}

void HandleLoss() {
  int k = 0, score = 0, lines = 0;
  if (!ReadReport(12, &k, &score, &lines)) return;
  RelayReport(k);
  PlayerTable[k].score = score;
  PlayerTable[k].lines = lines;
  ShowAbout(k, "%s a perdu !");
  AliveFlags[k] = 'N';
  DrawPlayersPanel();
  if (CountAlive() <= 1) {
    MatchOver = 1;
    Shell.ShowScoreTable(0);
  }
}

void HandleRename() {
  int k = 0;
  if (!ReadPlayer(&k)) return;
  RelayReport(k);
  char line[2 * MaxNameLength + 8];
  std::snprintf(line, sizeof line, "%s -> ", PlayerTable[k].name);
  CopyName(k, ExchangeBuffer + 3, int(std::strlen(ExchangeBuffer + 3)));
  DrawPlayersPanel();
  std::strncat(line, PlayerTable[k].name, MaxNameLength);
  AppendMessage(line, GreenText);
}

// Only a Client's "/s" starts a match, and only once the match has ended;
// everyone else then reads "Restart !" in its place.
void HandleChat() {
  int k = 0;
  if (!ReadPlayer(&k)) return;
  if (GameMode == Server) {
    if (std::strncmp(ExchangeBuffer + 3, "/s", 2) == 0 && CountAlive() <= 1) {
      StartRequest = 1;
      std::snprintf(ExchangeBuffer + 3, ExchangeSize - 3, "Restart !");
    }
    SendToClients(k);
  }
  char line[MaxNameLength + ExchangeSize + 8];
  std::snprintf(line, sizeof line, "%s: %s", PlayerTable[k].name, ExchangeBuffer + 3);
  AppendMessage(line, PurpleText);
}
