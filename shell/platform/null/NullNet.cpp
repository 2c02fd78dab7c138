// Headless network: an in-memory socket that tests feed and read; no name is ever found.
#include <algorithm>
#include <cstring>
#include <deque>

#include "shell/platform/Net.h"
#include "shell/platform/null/NullNet.h"

static bool g_open = false;
static std::deque<NullDatagram> g_incoming;
static std::vector<NullDatagram> g_sent;

int NetSystemStartup() { return 0; }

void NetSystemCleanup() {}

int NetOpenSocket() {
  NetCloseSocket();
  g_open = true;
  return 0;
}

int NetBindSocket(const NetAddress&) { return g_open ? 0 : -1; }

bool NetLookupName(const char*, uint32_t*) { return false; }

void NetSendTo(const NetAddress& to, const char* data, int size) {
  if (g_open) g_sent.push_back({to, std::string(data, size_t(size))});
}

void NetSendToEach(const NetAddress* to, int count, const char* data, int size) {
  for (int i = 0; i < count; ++i) NetSendTo(to[i], data, size);
}

int NetReceiveFrom(char* data, int size, NetAddress* from) {
  if (!g_open || g_incoming.empty()) return -1;
  const NullDatagram& d = g_incoming.front();
  int n = std::min(size, int(d.bytes.size()));
  std::memcpy(data, d.bytes.data(), size_t(n));
  *from = d.peer;
  g_incoming.pop_front();
  return n;
}

void NetCloseSocket() {
  g_open = false;
  g_incoming.clear();
}

// Nothing to wait on: headless tests run GameTick themselves.
int NetWaitHandle() { return -1; }

void NullNetReset() {
  NetCloseSocket();
  g_sent.clear();
}

NetAddress NullPeerAddress(int peer) {
  NetAddress a{};
  a.family = NetInternetFamily;
  const uint8_t bytes[6] = {uint8_t((40000 + peer) >> 8), uint8_t((40000 + peer) & 0xFF), 10, 0, 0,
                            uint8_t(peer)};
  std::memcpy(&a.port, bytes, 2);
  std::memcpy(&a.address, bytes + 2, 4);
  return a;
}

void NullNetDeliver(const NetAddress& from, const std::string& bytes) {
  if (g_open) g_incoming.push_back({from, bytes});
}

void NullNetDeliverText(const NetAddress& from, const char* text) {
  std::string bytes(text);
  bytes.resize(1000, '\0');
  NullNetDeliver(from, bytes);
}

std::vector<NullDatagram> NullNetTakeSent() {
  std::vector<NullDatagram> taken;
  taken.swap(g_sent);
  return taken;
}

bool NullNetSocketOpen() { return g_open; }
