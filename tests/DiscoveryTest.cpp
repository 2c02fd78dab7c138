// The search on loopback: answers from two ports are found, bad answers are dropped, and a
// Server answers the query while its game's peers see nothing of it.
#include <arpa/inet.h>
#include <poll.h>

#include <cstdio>
#include <string>

#include "net/Discovery.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "tests/NetLoopback.h"

namespace {

// Takes the search's query at fd and answers it with bytes, sent from fd or from another socket.
void AnswerQuery(int fd, const std::string& bytes, int sender = -1) {
  char query[2048];
  sockaddr_in from{};
  socklen_t n = sizeof from;
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 1000), 1) << "no query";
  ASSERT_EQ(recvfrom(fd, query, sizeof query, 0, (sockaddr*)&from, &n), 1000);
  EXPECT_STREQ(query, "QPloxen");
  sendto(sender < 0 ? fd : sender, bytes.data(), bytes.size(), 0, (sockaddr*)&from, n);
}

using DiscoveryTest = LoopbackTest;

// Games on NetPort and the next port of one machine both answer the search's queries.
TEST_F(DiscoveryTest, TwoServersOnOneMachineAreBothFoundWithTheirFields) {
  int host[2] = {-1, -1};
  for (int attempt = 0; host[1] < 0 && attempt < 50; ++attempt)
    host[1] = Socket("127.0.0.1", uint16_t(PortOf(host[0] = Socket()) + 1));
  ASSERT_GE(host[1], 0);
  NetPort = PortOf(host[0]);
  ASSERT_EQ(StartSearch(), 0);
  AnswerQuery(host[0], Padded("APloxen01080Alice"));
  AnswerQuery(host[1], Padded("APloxen03041Bob"));
  ASSERT_EQ(ListenForAnswers(1000), 2);
  std::string found[2];
  for (const FoundGame& g : {FoundGames[0], FoundGames[1]}) {
    char address[24], line[80];
    FoundAddressText(g, address, sizeof address);
    std::snprintf(line, sizeof line, "%s %s %d/%d running %d", g.alias, address, int(g.players),
                  int(g.maxPlayers), int(g.running));
    found[FoundPort(g) - NetPort] = line;
  }
  EXPECT_EQ(found[0], "Alice 127.0.0.1 1/8 running 0");
  EXPECT_EQ(found[1], "Bob 127.0.0.1 3/4 running 1");
}

// The query reaches the game socket like any datagram: the Server answers the
// asker alone, its players hear nothing of it, and play goes on as before. A Client
// never answers.
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
  // Only the exact query is answered, and only by a Server.
  Tick(seeker, "QPloxe");
  EXPECT_EQ(Got(seeker), "");
  LeaveGame();
  int server = Join();
  Tick(seeker, "QPloxen");
  EXPECT_EQ(Got(seeker) + Got(server), "");
}

// A test socket plays the Server on NetPort: it takes the query and sends back
// the given bytes; the search keeps only a well-formed answer.
TEST_F(DiscoveryTest, MalformedOrOversizedAnswersAreIgnored) {
  const struct { const char* name; std::string bytes; int found; bool fromOtherPort = false; }
  cases[] = {
      {"well formed", Padded("APloxen02081Alice"), 1},
      {"short but terminated", std::string("APloxen02081Alice", 18), 1},
      {"oversized", Padded("APloxen02081Alice") + '\0', 0},
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
  NetPort = PortOf(server);
  for (const auto& c : cases) {
    ASSERT_EQ(StartSearch(), 0);
    AnswerQuery(server, c.bytes, c.fromOtherPort ? other : -1);
    SearchWaitAnswer(1000);
    EXPECT_EQ(CollectAnswers(), c.found) << c.name;
    EndSearch();
  }
}

}  // namespace
