// The search on loopback: real Servers answer, bad answers are dropped, a game's peers see nothing of it.
#include <arpa/inet.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "net/Discovery.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "tests/NetLoopback.h"

namespace {

sockaddr_in LoopbackPort(uint16_t port) {
  sockaddr_in a{AF_INET, htons(port), {}, {}};
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

// Two consecutive ports on loopback that nothing holds at the moment.
uint16_t FreePortPair() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    uint16_t port = uint16_t(20000 + (getpid() * 7 + attempt * 131) % 40000);
    int a = socket(AF_INET, SOCK_DGRAM, 0), b = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in pa = LoopbackPort(port), pb = LoopbackPort(uint16_t(port + 1));
    bool free = bind(a, (sockaddr*)&pa, sizeof pa) == 0 && bind(b, (sockaddr*)&pb, sizeof pb) == 0;
    close(a);
    close(b);
    if (free) return port;
  }
  return 0;
}

// A child process hosts a game on port and answers until it is told to stop;
// it writes one byte to ready once its socket is bound.
pid_t HostInChild(uint16_t port, const char* alias, int players, int max, bool running, int ready) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  std::strcpy(Alias, alias);
  MaxPlayers = max;
  NetPort = port;
  if (OpenServerSocket() != 0) _exit(1);
  ResetGame(true, Server);
  HighestIndex = players - 1;
  std::memset(AliveFlags, running ? 'O' : 'N', size_t(players));
  AliveFlags[players] = '\0';
  MatchOver = running ? 0 : 1;
  (void)!write(ready, "r", 1);
  for (;;) {
    pollfd p{NetWaitHandle(), POLLIN, 0};
    poll(&p, 1, 1000);
    if (ReceiveDatagram()) HandleDatagram();
  }
}

class DiscoveryTest : public LoopbackTest {
 protected:
  void SetUp() override {
    LoopbackTest::SetUp();
    // Never anything but loopback: no broadcast address is asked.
    UseSearchInterfaces(nullptr, 0);
  }
  void TearDown() override {
    EndSearch();
    for (pid_t pid : children) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    LoopbackTest::TearDown();
  }
  std::vector<pid_t> children;
};

TEST_F(DiscoveryTest, TwoServersOnOneMachineAreBothFoundWithTheirFields) {
  uint16_t port = FreePortPair();
  ASSERT_NE(port, 0);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  children.push_back(HostInChild(port, "Alice", 1, 8, false, ready[1]));
  children.push_back(HostInChild(uint16_t(port + 1), "Bob", 3, 4, true, ready[1]));
  close(ready[1]);  // a child that cannot bind ends the reads instead of holding them up
  char got[2];
  ssize_t n = 0;
  for (ssize_t r; n < 2 && (r = read(ready[0], got + n, size_t(2 - n))) > 0;) n += r;
  close(ready[0]);
  ASSERT_EQ(n, 2) << "a host could not open its socket";
  NetPort = port;
  ASSERT_EQ(StartSearch(), 0);
  ASSERT_EQ(ListenForAnswers(1000), 2);
  std::string found[2];
  for (int i = 0; i < 2; ++i) {
    const FoundGame& g = FoundGames[i];
    char address[24];
    FoundAddressText(g, address, sizeof address);
    found[FoundPort(g) - port] = std::string(g.alias) + " " + address + " " +
                                 std::to_string(g.players) + "/" + std::to_string(g.maxPlayers) +
                                 (g.running ? " running" : " waiting");
  }
  EXPECT_EQ(found[0], "Alice 127.0.0.1 1/8 waiting");
  EXPECT_EQ(found[1], "Bob 127.0.0.1 3/4 running");
}

// The query reaches the game socket like any datagram: the Server answers the
// asker alone, its players hear nothing of it, and play goes on as before.
TEST_F(DiscoveryTest, AServerAnswersTheAskerOnlyAndItsPeersAreUnaffected) {
  Host();
  Admit(2);
  int seeker = Socket();
  Tick(seeker, "QPloxen");
  EXPECT_EQ(Got(seeker), "APloxen03080Moi|");
  EXPECT_EQ(Got(peer[1]) + Got(peer[2]), "");
  Tick(peer[1], "T01salut");
  EXPECT_EQ(Got(peer[2]), "T01salut|");
  EXPECT_EQ(HighestIndex, 2);
  StartMatch();
  Tick(seeker, "QPloxen");
  EXPECT_EQ(Got(seeker), "APloxen03081Moi|");
  // Only the exact query is answered.
  Tick(seeker, "QPloxe");
  EXPECT_EQ(Got(seeker), "");
}

TEST_F(DiscoveryTest, AClientNeverAnswers) {
  int server = Join();
  int seeker = Socket();
  Tick(seeker, "QPloxen");
  EXPECT_EQ(Got(seeker) + Got(server), "");
}

// A test socket plays the Server on NetPort: it takes the query and sends back
// the given bytes; the search keeps only a well-formed answer.
struct AnswerCase {
  const char* name;
  std::string bytes;
  int found;
  bool fromOtherPort = false;
};

std::string Sized(std::string text, size_t size) { return text.resize(size, '\0'), text; }

TEST_F(DiscoveryTest, MalformedOrOversizedAnswersAreIgnored) {
  const AnswerCase cases[] = {
      {"well formed", Padded("APloxen02081Alice"), 1},
      {"short but terminated", std::string("APloxen02081Alice", 18), 1},
      {"oversized", Sized("APloxen02081Alice", 1001), 0},
      {"no terminator", std::string(1000, 'A'), 0},
      {"other tag", Padded("APlaxen02081Alice"), 0},
      {"no players", Padded("APloxen00081Alice"), 0},
      {"nine players", Padded("APloxen09091Alice"), 0},
      {"letters for a count", Padded("APloxen0x081Alice"), 0},
      {"unknown state", Padded("APloxen02082Alice"), 0},
      {"alias of 33", Padded("APloxen02081" + std::string(33, 'a')), 0},
      {"control byte in the alias", Padded("APloxen02081Al\x01ice"), 0},
      {"a query", Padded("QPloxen"), 0},
      {"well formed from a port not asked", Padded("APloxen02081Alice"), 0, true},
  };
  int server = Socket(), other = Socket();
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(server, (sockaddr*)&a, &n);
  NetPort = ntohs(a.sin_port);
  for (const AnswerCase& c : cases) {
    ASSERT_EQ(StartSearch(), 0);
    char query[2048];
    sockaddr_in from{};
    socklen_t fn = sizeof from;
    pollfd p{server, POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 1000), 1);
    ASSERT_EQ(recvfrom(server, query, sizeof query, 0, (sockaddr*)&from, &fn), 1000);
    EXPECT_STREQ(query, "QPloxen");
    sendto(c.fromOtherPort ? other : server, c.bytes.data(), c.bytes.size(), 0, (sockaddr*)&from,
           fn);
    SearchWaitAnswer(1000);
    EXPECT_EQ(CollectAnswers(), c.found) << c.name;
    EndSearch();
  }
}

}  // namespace
