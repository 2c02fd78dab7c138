// Finding games on the LAN: a query answered by Servers only, answers read with every field bounded.
#include "net/Discovery.h"

#include <cstdio>
#include <cstring>

#include "net/GameState.h"
#include "net/Transport.h"
#include "net/MatchServices.h"
#include "shell/platform/Clock.h"

FoundGame FoundGames[MaxFoundGames];
int FoundCount = 0;

constexpr int MaxInterfaces = 16;
constexpr int MaxAliasLength = 32;
static SearchInterface g_interfaces[MaxInterfaces];
static int g_interfaceCount = -1;  // -1: ask the machine

static bool MatchRunning() { return !MatchOver || CountAlive() > 1; }

// A Client or Solo program never answers: only a Server can be joined.
void AnswerSearch() {
  if (GameMode != Server || ExchangeBuffer[0] != 'Q' ||
      std::strcmp(ExchangeBuffer + 1, SearchTag) != 0)
    return;
  std::snprintf(ExchangeBuffer, ExchangeSize, "A%s%02d%02d%1d%s", SearchTag, HighestIndex + 1,
                int(MaxPlayers), MatchRunning() ? 1 : 0, PlayerTable[0].name);
  SendToSender();
}

void UseSearchInterfaces(const SearchInterface* list, int count) {
  g_interfaceCount = count < 0 ? -1 : count < MaxInterfaces ? count : MaxInterfaces;
  for (int i = 0; i < g_interfaceCount; ++i) g_interfaces[i] = list[i];
}

static int Interfaces(SearchInterface* out) {
  if (g_interfaceCount < 0) return SearchInterfaces(out, MaxInterfaces);
  std::memcpy(out, g_interfaces, sizeof(SearchInterface) * size_t(g_interfaceCount));
  return g_interfaceCount;
}

static uint16_t PortBytes(int port) {
  uint16_t bytes;
  const uint8_t b[2] = {uint8_t((port >> 8) & 0xFF), uint8_t(port & 0xFF)};
  std::memcpy(&bytes, b, 2);
  return bytes;
}

int FoundPort(const FoundGame& game) {
  uint8_t b[2];
  std::memcpy(b, &game.server.port, 2);
  return b[0] << 8 | b[1];
}

static uint32_t Loopback() {
  const uint8_t b[4] = {127, 0, 0, 1};
  uint32_t address;
  std::memcpy(&address, b, 4);
  return address;
}

static void SendQueries(uint32_t address) {
  char query[ExchangeSize] = {};
  std::snprintf(query, sizeof query, "Q%s", SearchTag);
  for (int i = 0; i < SearchPortCount; ++i) {
    NetAddress to{};
    to.family = NetInternetFamily;
    to.port = PortBytes(int(NetPort & 0xFFFF) + i);
    to.address = address;
    SearchSendTo(to, query, ExchangeSize);
  }
}

int StartSearch() {
  FoundCount = 0;
  if (SearchOpenSocket() != 0) return -1;
  SendQueries(Loopback());
  SearchInterface list[MaxInterfaces];
  int count = Interfaces(list);
  for (int i = 0; i < count; ++i) SendQueries(list[i].broadcast);
  return 0;
}

static bool QueriedPort(int port) {
  int offset = port - int(NetPort & 0xFFFF);
  return offset >= 0 && offset < SearchPortCount;
}

static bool ReadNumber(const char* text, int* value) {
  if (text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return false;
  *value = (text[0] - '0') * 10 + (text[1] - '0');
  return *value >= 1 && *value <= MaxTablePlayers;
}

// Everything is checked before anything is kept: the tag, two counts 1..8, the
// state, and an alias of printable characters short enough for a name.
static bool ParseAnswer(const char* data, int length, FoundGame* game) {
  if (length > ExchangeSize || std::memchr(data, '\0', size_t(length)) == nullptr) return false;
  size_t tag = std::strlen(SearchTag);
  if (data[0] != 'A' || std::strncmp(data + 1, SearchTag, tag) != 0) return false;
  const char* p = data + 1 + tag;
  if (!ReadNumber(p, &game->players) || !ReadNumber(p + 2, &game->maxPlayers)) return false;
  if (p[4] != '0' && p[4] != '1') return false;
  game->running = p[4] == '1';
  const char* alias = p + 5;
  size_t n = std::strlen(alias);
  if (n > MaxAliasLength) return false;
  for (size_t i = 0; i < n; ++i)
    if (uint8_t(alias[i]) < 0x20 || alias[i] == 0x7F) return false;
  std::memcpy(game->alias, alias, n + 1);
  return true;
}

// A game on this machine answers both the loopback query and the broadcast
// one; its answers are the same game and are listed once, as 127.0.0.1.
static uint32_t SameMachineAsLoopback(uint32_t address) {
  SearchInterface list[MaxInterfaces];
  int count = Interfaces(list);
  for (int i = 0; i < count; ++i)
    if (list[i].address == address) return Loopback();
  return address;
}

static void Keep(const FoundGame& game) {
  for (int i = 0; i < FoundCount; ++i)
    if (FoundGames[i].server.address == game.server.address &&
        FoundGames[i].server.port == game.server.port) {
      FoundGames[i] = game;
      return;
    }
  if (FoundCount < MaxFoundGames) FoundGames[FoundCount++] = game;
}

int CollectAnswers() {
  // One byte more than a datagram of the game: a longer answer shows as such and is dropped.
  char data[ExchangeSize + 1];
  NetAddress from;
  int length;
  while ((length = SearchReceiveFrom(data, sizeof data, &from)) >= 0) {
    FoundGame game{};
    game.server = from;
    if (!ParseAnswer(data, length, &game) || !QueriedPort(FoundPort(game))) continue;
    game.server.address = SameMachineAsLoopback(from.address);
    Keep(game);
  }
  return FoundCount;
}

// Stops early only when the wait reports nothing more can come, as the
// headless back end does once its scripted answers are taken.
int ListenForAnswers(int ms) {
  uint32_t start = TickCount();
  for (;;) {
    CollectAnswers();
    uint32_t elapsed = TickCount() - start;
    if (elapsed >= uint32_t(ms) || !SearchWaitAnswer(int(uint32_t(ms) - elapsed))) break;
  }
  return CollectAnswers();
}

void EndSearch() { SearchCloseSocket(); }

void FoundAddressText(const FoundGame& game, char* out, int size) {
  uint8_t b[4];
  std::memcpy(b, &game.server.address, 4);
  std::snprintf(out, size_t(size), "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
}
