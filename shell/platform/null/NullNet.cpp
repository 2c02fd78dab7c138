// Headless network: an in-memory socket that tests feed and read, with scripted names and faults.
#include <algorithm>
#include <cstring>
#include <deque>
#include <map>

#include "shell/platform/Net.h"
#include "shell/platform/null/NullNet.h"

static bool g_started = false;
static bool g_open = false;
static NetAddress g_bound{};
static int g_faults = NoNetFault;
static std::deque<NullDatagram> g_incoming;
static std::vector<NullDatagram> g_sent;
static std::map<std::string, uint32_t> g_hosts;
static std::vector<std::string> g_lookups;

int NetSystemStartup() {
  if (g_faults & StartupFails) return -1;
  g_started = true;
  return 0;
}

void NetSystemCleanup() { g_started = false; }

int NetOpenSocket() {
  NetCloseSocket();
  if (g_faults & SocketFails) return -1;
  g_open = true;
  return 0;
}

int NetBindSocket(const NetAddress& local) {
  if (!g_open || (g_faults & PortTaken)) return -1;
  g_bound = local;
  return 0;
}

bool NetLookupName(const char* name, uint32_t* address) {
  g_lookups.push_back(name);
  auto found = g_hosts.find(name);
  if (found == g_hosts.end()) return false;
  *address = found->second;
  return true;
}

void NetSendTo(const NetAddress& to, const char* data, int size) {
  if (g_open) g_sent.push_back({to, std::string(data, size_t(size))});
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
  g_bound = NetAddress{};
  g_incoming.clear();
}

// Nothing to wait on: headless tests run GameTick themselves.
int NetWaitHandle() { return -1; }

void NullNetReset() {
  NetCloseSocket();
  g_started = false;
  g_faults = NoNetFault;
  g_sent.clear();
  g_hosts.clear();
  g_lookups.clear();
}

uint32_t NullIPv4(int a, int b, int c, int d) {
  const uint8_t bytes[4] = {uint8_t(a), uint8_t(b), uint8_t(c), uint8_t(d)};
  uint32_t address;
  std::memcpy(&address, bytes, 4);
  return address;
}

NetAddress NullPeerAddress(int peer) {
  NetAddress a{};
  a.family = NetInternetFamily;
  const uint8_t port[2] = {uint8_t((40000 + peer) >> 8), uint8_t((40000 + peer) & 0xFF)};
  std::memcpy(&a.port, port, 2);
  a.address = NullIPv4(10, 0, 0, peer);
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

int NullNetWaiting() { return int(g_incoming.size()); }

void NullNetAddHost(const char* name, uint32_t address) { g_hosts[name] = address; }

std::vector<std::string> NullNetLookups() { return g_lookups; }

void NullNetSetFaults(int faults) { g_faults = faults; }

bool NullNetSocketOpen() { return g_open; }

NetAddress NullNetBoundAddress() { return g_bound; }

bool NullNetStarted() { return g_started; }
