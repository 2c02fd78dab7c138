// The socket back end on loopback: the program's socket against plain UDP sockets of the test.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "display/MessageLog.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Settings.h"

static const std::string NoDatagram = "<none>";

// A plain UDP socket on 127.0.0.1 at a port the system chooses.
static int OpenPeer() {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  return fd;
}

static uint16_t PortOf(int fd) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  return ntohs(a.sin_port);
}

static void SendFrom(int fd, uint16_t port, const std::string& bytes) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
}

static std::string Padded(const std::string& text) {
  std::string bytes = text;
  bytes.resize(1000, '\0');
  return bytes;
}

// The next datagram the peer receives within a second, with its sender's port.
static std::string ReceiveAt(int fd, uint16_t* fromPort = nullptr) {
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, 1000) != 1) return NoDatagram;
  char buffer[2048];
  sockaddr_in a{};
  socklen_t n = sizeof a;
  ssize_t got = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&a), &n);
  if (fromPort) *fromPort = ntohs(a.sin_port);
  return got < 0 ? NoDatagram : std::string(buffer, size_t(got));
}

// Waits, as the window's wait does, for the program's socket to be readable.
static bool DatagramWaits() {
  pollfd p{NetWaitHandle(), POLLIN, 0};
  return NetWaitHandle() >= 0 && poll(&p, 1, 1000) == 1;
}

class SocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(Alias, "Moi");
    ResetGame(true, Solo);
  }
  void TearDown() override { CloseNet(); }

  // Opens the Server's socket on a port nothing else holds; the system picks it.
  void OpenServer() {
    for (int attempt = 0; attempt < 5; ++attempt) {
      int probe = OpenPeer();
      NetPort = PortOf(probe);
      close(probe);
      if (OpenServerSocket() == 0) return;
    }
    FAIL() << "no free port";
  }
};


TEST_F(SocketTest, ServerAdmitsTwoPeersAndRelaysBetweenThem) {
  OpenServer();
  ResetGame(true, Server);
  MatchSeed = 0;
  int ann = OpenPeer(), bea = OpenPeer();
  SendFrom(ann, uint16_t(NetPort), Padded("CAnn"));
  ASSERT_TRUE(DatagramWaits());
  GameTick();
  EXPECT_EQ(ReceiveAt(ann), Padded("C010000000NN03Moi03Ann"));
  SendFrom(bea, uint16_t(NetPort), Padded("CBea"));
  ASSERT_TRUE(DatagramWaits());
  GameTick();
  EXPECT_EQ(ReceiveAt(ann), Padded("C020000000NNN03Moi03Ann03Bea"));
  EXPECT_EQ(ReceiveAt(bea), Padded("C020000000NNN03Moi03Ann03Bea"));
  SendFrom(bea, uint16_t(NetPort), Padded("T02salut"));
  ASSERT_TRUE(DatagramWaits());
  GameTick();
  EXPECT_EQ(ReceiveAt(ann), Padded("T02salut"));
  EXPECT_EQ(std::string(MessageLine(0)), "Bea: salut");
  close(ann);
  close(bea);
}

TEST_F(SocketTest, ATakenPortRefusesTheServer) {
  int holder = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  NetPort = PortOf(holder);
  EXPECT_EQ(OpenServerSocket(), -1);
  EXPECT_STREQ(MessageLine(0), "Une partie est d\xE9j\xE0 en cours !");
  EXPECT_EQ(MessageColour(0), 0x0000FFu);
  EXPECT_EQ(NetWaitHandle(), -1);
  close(holder);
}

// The pending byte count of an empty datagram is 0; the receive must take it
// anyway, or every datagram behind it would wait for ever.
TEST_F(SocketTest, AnEmptyDatagramHoldsUpNothingBehindIt) {
  OpenServer();
  int peer = OpenPeer();
  SendFrom(peer, uint16_t(NetPort), "");
  SendFrom(peer, uint16_t(NetPort), Padded("T01un"));
  SendFrom(peer, uint16_t(NetPort), "T01deux");
  const char* expected[] = {"", "T01un", "T01deux"};
  for (const char* text : expected) {
    ASSERT_TRUE(DatagramWaits()) << text;
    ASSERT_TRUE(ReceiveDatagram()) << text;
    EXPECT_STREQ(ExchangeBuffer, text);
  }
  EXPECT_FALSE(ReceiveDatagram());  // returns at once when nothing waits
  close(peer);
}

TEST_F(SocketTest, ALongDatagramIsCutToTheBuffer) {
  OpenServer();
  int peer = OpenPeer();
  SendFrom(peer, uint16_t(NetPort), std::string(1500, 'R'));
  ASSERT_TRUE(DatagramWaits());
  ASSERT_TRUE(ReceiveDatagram());
  EXPECT_EQ(std::string(ExchangeBuffer), std::string(999, 'R'));
  close(peer);
}

TEST_F(SocketTest, ClientFindsTheServerByDottedAddressOrByName) {
  for (const char* text : {"127.0.0.1", "localhost"}) {
    int server = OpenPeer();
    NetPort = PortOf(server);
    std::strcpy(ServerName, text);
    ASSERT_EQ(ConnectToServer(), 0) << text;
    uint16_t clientPort = 0;
    EXPECT_EQ(ReceiveAt(server, &clientPort), Padded("CMoi")) << text;
    SendFrom(server, clientPort, Padded("X"));
    ASSERT_TRUE(DatagramWaits()) << text;
    ASSERT_TRUE(ReceiveDatagram());
    EXPECT_STREQ(ExchangeBuffer, "X");
    CloseNet();
    close(server);
  }
}


