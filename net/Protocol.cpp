// Message routing, the dispatch of a received datagram, and the field readers every handler uses.
#include "net/Protocol.h"

#include <algorithm>
#include <cstring>

#include "net/Discovery.h"
#include "net/GameState.h"
#include "net/MatchServices.h"
#include "net/Messages.h"
#include "net/Transport.h"

void PublishMessage() {
  if (GameMode == Server) SendToClients(0);
  else if (GameMode == Client) SendToPeer(0);
}

// Once admitted, a Client hears only the address its join reply came from;
// before that only a join reply or a refusal, and only from a socket on
// NetPort, the port every Server sends from.
static bool ClientHears() {
  if (MyIndex != UnassignedIndex) return SameAddress(SenderAddress, PeerTable[0]);
  if (ExchangeBuffer[0] != 'C' && ExchangeBuffer[0] != 'X') return false;
  return SenderAddress.port == PeerTable[0].port;
}

bool HandleDatagram() {
  if (GameMode == Client && !ClientHears()) return false;
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

bool SameAddress(const NetAddress& a, const NetAddress& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

int SenderRow() {
  for (int i = 1; i <= HighestIndex && i < MaxTablePlayers; ++i)
    if (SameAddress(SenderAddress, PeerTable[i])) return i;
  return -1;
}

void WritePlayerNumber(int row) {
  ExchangeBuffer[1] = char('0' + row / 10);
  ExchangeBuffer[2] = char('0' + row % 10);
}

// A departure moves the last row into the freed one before the moving client
// hears of it, so its next report may name its old row: the Server goes by the
// sender's address and writes the row it found into the report it relays.
bool ReadPlayer(int* row) {
  int k = 0;
  if (!ReadDigits(1, 2, &k)) return false;
  if (GameMode == Server) {
    k = SenderRow();
    if (k < 1) return false;
    WritePlayerNumber(k);
  }
  if (k > HighestIndex || k >= MaxTablePlayers || k == MyIndex) return false;
  *row = k;
  return true;
}

void CopyName(int row, const char* text, int length) {
  int n = std::clamp(length, 0, MaxNameLength);
  std::memcpy(PlayerTable[row].name, text, size_t(n));
  PlayerTable[row].name[n] = '\0';
}

int PlayerLimit() { return std::min(MaxPlayers, int32_t(MaxTablePlayers)); }
