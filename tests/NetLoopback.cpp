// Loopback peers for the network tests: sockets, sends and receives with nothing of the
// program's own.
#include "tests/NetLoopback.h"

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

#include <cstring>

#include "game/Clearing.h"
#include "net/Discovery.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Program.h"
#include "shell/Settings.h"

static sockaddr_in Loopback(const char* address, uint16_t port) {
  sockaddr_in a{AF_INET, htons(port), {}, {}};
  inet_pton(AF_INET, address, &a.sin_addr);
  return a;
}

// The next datagram at fd within ms; false when none came.
static bool Take(int fd, int ms, std::string* bytes, uint16_t* port = nullptr) {
  char buffer[2048];
  sockaddr_in a{};
  socklen_t n = sizeof a;
  pollfd p{fd, POLLIN, 0};
  ssize_t got = poll(&p, 1, ms) == 1 ? recvfrom(fd, buffer, 2048, 0, (sockaddr*)&a, &n) : -1;
  if (port) *port = ntohs(a.sin_port);
  if (got >= 0) bytes->assign(buffer, size_t(got));
  return got >= 0;
}

void LoopbackTest::SetUp() {
  ConnectLayers();
  std::strcpy(Alias, "Moi");
  MaxPlayers = 8;
  Level = StartHeight = 0;
  ResetGame(true, Solo);
  UseSearchInterfaces(nullptr, 0);  // a search asks loopback alone, never a broadcast address
}

void LoopbackTest::TearDown() {
  EndSearch();
  CloseNet();
  for (int fd : sockets) close(fd);
}

int LoopbackTest::Socket(const char* address, uint16_t port) {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a = Loopback(address, port);
  if (bind(fd, (sockaddr*)&a, sizeof a) != 0) return close(fd), -1;
  sockets.push_back(fd);
  return fd;
}

uint16_t LoopbackTest::PortOf(int fd) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(fd, (sockaddr*)&a, &n);
  return ntohs(a.sin_port);
}

void LoopbackTest::Host() {
  NetPort = 0;
  ASSERT_EQ(OpenServerSocket(), 0);
  programPort = PortOf(NetWaitHandle());
  ResetGame(true, Server);
  MatchSeed = 0;
}

void LoopbackTest::Admit(int count) {
  for (int i = 1; i <= count; ++i) Tick(peer[i] = Socket(), "CJ" + std::to_string(i));
  for (int i = 1; i <= count; ++i) Got(peer[i]);
}

int LoopbackTest::Join(const char* address) {
  int server = Socket(address);
  NetPort = PortOf(server);
  std::strcpy(ServerName, address);
  StartGame(Client);
  std::string request;
  EXPECT_TRUE(Take(server, 1000, &request, &programPort));
  EXPECT_EQ(request, Padded("CMoi"));
  return server;
}

void LoopbackTest::Deliver(int fd, const std::string& bytes) {
  sockaddr_in to = Loopback("127.0.0.1", programPort);
  sendto(fd, bytes.data(), bytes.size(), 0, (sockaddr*)&to, sizeof to);
  pollfd p{NetWaitHandle(), POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 1000), 1);
  GameTick();
}

// The program sends within its GameTick, so what it sent is there at once; the
// short wait only covers a loaded machine.
std::string LoopbackTest::Got(int fd) {
  std::string all, bytes;
  while (Take(fd, 20, &bytes)) {
    std::string text = bytes.c_str();
    all += (bytes == Padded(text) ? text : "!" + std::to_string(bytes.size())) + "|";
  }
  return all;
}
