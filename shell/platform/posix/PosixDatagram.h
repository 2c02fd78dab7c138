// One UDP datagram in or out of a socket, shared by the game's socket and the LAN search's.
#pragma once
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

#include "shell/platform/Net.h"

inline sockaddr_in ToSockaddr(const NetAddress& a) {
  sockaddr_in s{};
  s.sin_family = AF_INET;
  std::memcpy(&s.sin_port, &a.port, 2);
  std::memcpy(&s.sin_addr.s_addr, &a.address, 4);
  return s;
}

inline NetAddress FromSockaddr(const sockaddr_in& s) {
  NetAddress a{};
  a.family = NetInternetFamily;
  std::memcpy(&a.port, &s.sin_port, 2);
  std::memcpy(&a.address, &s.sin_addr.s_addr, 4);
  return a;
}

// Sends size bytes from fd to an address; a failure is the datagram lost, as on any network.
inline void SendOn(int fd, const NetAddress& to, const char* data, int size) {
  sockaddr_in s = ToSockaddr(to);
  sendto(fd, data, size_t(size), 0, reinterpret_cast<sockaddr*>(&s), sizeof s);
}

// Takes exactly one waiting datagram without waiting, an empty one included: its length cut
// to size, its sender in *from; -1 when none waits. Asking for the pending byte count instead
// would report 0 for an empty datagram at the head of the queue and leave it there, blocking
// all others.
inline int ReceiveOn(int fd, char* data, int size, NetAddress* from) {
  sockaddr_in s{};
  socklen_t length = sizeof s;
  ssize_t n = recvfrom(fd, data, size_t(size), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&s),
                       &length);
  if (n < 0) return -1;
  *from = FromSockaddr(s);
  return int(n);
}
