// Headless search socket: queries recorded, answers scripted by the tests, nothing waits.
#include <algorithm>
#include <cstring>
#include <deque>
#include <utility>

#include "shell/platform/NetSearch.h"
#include "shell/platform/null/NullNetSearch.h"

static bool g_open = false;
static std::deque<NullDatagram> g_answers;
static std::vector<NullDatagram> g_queries;
static std::vector<SearchInterface> g_interfaces;

int SearchInterfaces(SearchInterface* out, int max) {
  int n = std::min(max, int(g_interfaces.size()));
  std::copy_n(g_interfaces.begin(), n, out);
  return n;
}

// Answers queued before the socket opens stay: they stand for the answers to
// the queries this search is about to send.
int SearchOpenSocket() {
  g_open = true;
  return 0;
}

void SearchSendTo(const NetAddress& to, const char* data, int size) {
  if (g_open) g_queries.push_back({to, std::string(data, size_t(size))});
}

int SearchReceiveFrom(char* data, int size, NetAddress* from) {
  if (!g_open || g_answers.empty()) return -1;
  const NullDatagram& d = g_answers.front();
  int n = std::min(size, int(d.bytes.size()));
  std::memcpy(data, d.bytes.data(), size_t(n));
  *from = d.peer;
  g_answers.pop_front();
  return n;
}

// Scripted answers are all there at once: nothing more comes by waiting.
bool SearchWaitAnswer(int) { return g_open && !g_answers.empty(); }

void SearchCloseSocket() {
  g_open = false;
  g_answers.clear();
}

void NullSearchReset() {
  SearchCloseSocket();
  g_queries.clear();
  g_interfaces.clear();
}

void NullSearchSetInterfaces(const std::vector<SearchInterface>& list) { g_interfaces = list; }

void NullSearchDeliver(const NetAddress& from, const std::string& bytes) {
  g_answers.push_back({from, bytes});
}

std::vector<NullDatagram> NullSearchTakeSent() { return std::exchange(g_queries, {}); }

bool NullSearchSocketOpen() { return g_open; }
