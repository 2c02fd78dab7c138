// Message routing, the dispatch of a received datagram, and the field readers every handler uses.
#include "net/Protocol.h"

#include <algorithm>
#include <cstring>

#include "net/Discovery.h"
#include "net/GameState.h"
#include "net/Messages.h"
#include "net/Transport.h"
#include "shell/Settings.h"

void PublishMessage() {
  if (GameMode == Server) SendToClients(0);
  else if (GameMode == Client) SendToPeer(0);
}

bool HandleDatagram() {
  switch (ExchangeBuffer[0]) {
    case 'C': HandleJoin(); break;
    case 'X': HandleRefusal(); break;
    case 'D': HandleDeparture(); break;
    case 'H': HandleHeight(); break;
    case 'L': HandleAttack(); break;
    case 'P': HandleLoss(); break;
    case 'R': HandleRename(); break;
    case 'S': return HandleStart();
    case 'T': HandleChat(); break;
    case 'Q': AnswerSearch(); break;
    default: break;
  }
  return false;
}

// The buffer is terminated within its 1000 bytes, so the scan stops at the
// terminator before it can leave the buffer.
bool ReadDigits(int at, int width, int* value) {
  if (at < 0 || width < 1 || width > 9 || at + width > ExchangeSize) return false;
  int v = 0;
  for (int i = at; i < at + width; ++i) {
    if (ExchangeBuffer[i] < '0' || ExchangeBuffer[i] > '9') return false;
    v = v * 10 + (ExchangeBuffer[i] - '0');
  }
  *value = v;
  return true;
}

bool SentByPlayer(int row) {
  return GameMode != Server ||
         (row >= 1 && std::memcmp(&SenderAddress, &PeerTable[row], sizeof SenderAddress) == 0);
}

bool ReadPlayer(int* row) {
  int k = 0;
  if (!ReadDigits(1, 2, &k) || k > HighestIndex || k >= MaxTablePlayers || k == MyIndex) return false;
  if (!SentByPlayer(k)) return false;
  *row = k;
  return true;
}

void CopyName(int row, const char* text, int length) {
  int n = std::clamp(length, 0, MaxNameLength);
  std::memcpy(PlayerTable[row].name, text, size_t(n));
  PlayerTable[row].name[n] = '\0';
}

int PlayerLimit() { return std::min(MaxPlayers, int32_t(MaxTablePlayers)); }
