// The search socket over POSIX: interfaces from getifaddrs, broadcasts allowed, poll to wait.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "shell/platform/NetSearch.h"
#include "shell/platform/posix/PosixDatagram.h"

static int g_search = -1;

int SearchInterfaces(SearchInterface* out, int max) {
  ifaddrs* all = nullptr;
  if (getifaddrs(&all) != 0) return 0;
  int count = 0;
  for (ifaddrs* i = all; i && count < max; i = i->ifa_next) {
    bool usable = i->ifa_addr && i->ifa_addr->sa_family == AF_INET && (i->ifa_flags & IFF_UP) &&
                  (i->ifa_flags & IFF_BROADCAST) && !(i->ifa_flags & IFF_LOOPBACK) &&
                  i->ifa_broadaddr;
    if (!usable) continue;
    out[count].address = reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr;
    out[count].broadcast = reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr)->sin_addr.s_addr;
    ++count;
  }
  freeifaddrs(all);
  return count;
}

int SearchOpenSocket() {
  SearchCloseSocket();
  g_search = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (g_search < 0) return -1;
  int on = 1;
  setsockopt(g_search, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  return 0;
}

void SearchSendTo(const NetAddress& to, const char* data, int size) {
  if (g_search >= 0) SendOn(g_search, to, data, size);
}

int SearchReceiveFrom(char* data, int size, NetAddress* from) {
  return g_search < 0 ? -1 : ReceiveOn(g_search, data, size, from);
}

bool SearchWaitAnswer(int ms) {
  if (g_search < 0) return false;
  pollfd p{g_search, POLLIN, 0};
  return poll(&p, 1, ms) == 1;
}

void SearchCloseSocket() {
  if (g_search >= 0) close(g_search);
  g_search = -1;
}
