// Network back end over POSIX sockets: one UDP socket, IPv4, lookups through the system resolver.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>

#include <cstring>

#include "shell/platform/Net.h"
#include "shell/platform/posix/PosixDatagram.h"

static int g_socket = -1;

// POSIX sockets need no start-up of their own.
int NetSystemStartup() { return 0; }

void NetSystemCleanup() {}

int NetOpenSocket() {
  NetCloseSocket();
  g_socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  return g_socket < 0 ? -1 : 0;
}

// No SO_REUSEADDR: a second game on the same machine must find the port taken.
int NetBindSocket(const NetAddress& local) {
  if (g_socket < 0) return -1;
  sockaddr_in s = ToSockaddr(local);
  return bind(g_socket, reinterpret_cast<sockaddr*>(&s), sizeof s) == 0 ? 0 : -1;
}

bool NetLookupName(const char* name, uint32_t* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name, nullptr, &hints, &found) != 0 || found == nullptr) return false;
  const sockaddr_in* s = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  std::memcpy(address, &s->sin_addr.s_addr, 4);
  freeaddrinfo(found);
  return true;
}

void NetSendTo(const NetAddress& to, const char* data, int size) {
  if (g_socket >= 0) SendOn(g_socket, to, data, size);
}

// A relay goes to every Client at once: one system call instead of one per Client.
void NetSendToEach(const NetAddress* to, int count, const char* data, int size) {
  if (g_socket < 0 || count <= 0) return;
  constexpr int Most = 16;
  sockaddr_in s[Most];
  iovec part[Most];
  mmsghdr message[Most] = {};
  int n = std::min(count, Most);
  for (int i = 0; i < n; ++i) {
    s[i] = ToSockaddr(to[i]);
    part[i] = {const_cast<char*>(data), size_t(size)};
    message[i].msg_hdr.msg_name = &s[i];
    message[i].msg_hdr.msg_namelen = sizeof s[i];
    message[i].msg_hdr.msg_iov = &part[i];
    message[i].msg_hdr.msg_iovlen = 1;
  }
  // sendmmsg stops at the first refusal (a peer's port closed, say): the rest go on their own.
  for (int sent = 0; sent < n;) {
    int k = sendmmsg(g_socket, message + sent, unsigned(n - sent), 0);
    sent += k > 0 ? k : 1;
  }
  if (count > Most) NetSendToEach(to + Most, count - Most, data, size);
}

int NetReceiveFrom(char* data, int size, NetAddress* from) {
  return g_socket < 0 ? -1 : ReceiveOn(g_socket, data, size, from);
}

void NetCloseSocket() {
  if (g_socket >= 0) close(g_socket);
  g_socket = -1;
}

int NetWaitHandle() { return g_socket; }
