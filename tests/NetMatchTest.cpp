// A match over a network that loses, repeats and reorders datagrams, on loopback:
// joins, departures, the reports and who a Client listens to.
#include <arpa/inet.h>

#include <cstring>

#include "display/MessageLog.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetInvariant.h"
#include "tests/NetLoopback.h"

using NetMatch = LoopbackTest;

TEST_F(NetMatch, AnUnansweredJoinIsRepeatedEverySecondThenGivenUpAfterTenSeconds) {
  NullSetClock(5000);
  int server = Join();
  std::string repeats;
  for (int ms = 100; ms <= 9900; ms += 100) {
    NullSetClock(5000 + uint32_t(ms));
    GameTick();
    if (ms % 1000 == 0) repeats += Got(server);
  }
  EXPECT_EQ(repeats, "CMoi|CMoi|CMoi|CMoi|CMoi|CMoi|CMoi|CMoi|CMoi|");
  EXPECT_EQ(GameMode, Client);
  NullSetClock(15000);
  GameTick();
  EXPECT_EQ(GameMode, Solo);
  EXPECT_EQ(NetWaitHandle(), -1);
  EXPECT_STREQ(MessageLine(0), "Pas de r\xE9ponse du serveur.");
  EXPECT_EQ(MessageColour(0), 0x0000FFu);
  EXPECT_EQ(Got(server), "D99|");  // frees the row of a Server whose replies were all lost
}

TEST_F(NetMatch, AReplyOrARefusalEndsTheRepeats) {
  for (const char* answer : {"C010000000NN04Hote03Moi", "X"}) {
    NullSetClock(1000);
    int server = Join();
    Tick(server, answer);
    NullSetClock(20000);
    GameTick();
    EXPECT_EQ(Got(server), "") << answer;
    EXPECT_EQ(GameMode, Client) << answer;
  }
}

// A report sent before the sender heard that it moved names its old row.
TEST_F(NetMatch, TheServerReadsReportsByTheSendersRow) {
  Host();
  Admit(3);
  Tick(peer[1], "D01");
  Got(peer[2]);
  Tick(peer[3], "H03000042001" "07");
  EXPECT_EQ(PlayerTable[1].score, 42);
  EXPECT_EQ(PlayerTable[1].height, 7);
  EXPECT_EQ(Got(peer[2]), "H01000042001" "07|");
  Tick(peer[3], "L03024");
  EXPECT_EQ(Got(peer[2]), "L01024|");
}

TEST_F(NetMatch, ALossBeforeAdmissionNamesNoRow) {
  int server = Join();
  for (int r = 2; r <= 3; ++r)
    for (int c = 1; c <= 10; ++c) Board[r][c] = 8;
  MatchOver = 0;
  SpawnPiece();
  EXPECT_EQ(Got(server), "H00" "000000" "000" "00|P99000000000|");
}

// A socket of the test at address on the given port.
static int SocketOn(std::vector<int>* sockets, const char* address, uint16_t port) {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{AF_INET, htons(port), {}, {}};
  inet_pton(AF_INET, address, &a.sin_addr);
  EXPECT_EQ(bind(fd, (sockaddr*)&a, sizeof a), 0);
  sockets->push_back(fd);
  return fd;
}

// The Server may answer from another of its addresses than the one typed, on NetPort.
TEST_F(NetMatch, AClientHearsOnlyTheAddressItsReplyCameFrom) {
  int typed = Join("127.0.0.1");
  int stranger = Socket();
  Tick(typed, "S123");  // before admission only a reply or a refusal counts
  EXPECT_EQ(MatchOver, 1);
  Tick(stranger, "C010000000NN04Hote03Moi");  // not from NetPort
  EXPECT_EQ(MyIndex, UnassignedIndex);
  int answering = SocketOn(&sockets, "127.0.0.2", uint16_t(NetPort));
  Tick(answering, "C010000000NN04Hote03Moi");
  ASSERT_EQ(MyIndex, 1);
  for (int fd : {stranger, typed})
    for (const char* d : {"D00", "L00014", "R00Mallory", "S042"}) Tick(fd, d);
  EXPECT_EQ(PendingPenalty, 0);
  EXPECT_STREQ(PlayerTable[0].name, "Hote");
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(MyIndex, 1);
  Tick(answering, "R00Vraie");
  EXPECT_STREQ(PlayerTable[0].name, "Vraie");
  LeaveGame();
  EXPECT_EQ(Got(answering), "D01|");
}

TEST_F(NetMatch, ReportsWhoseFieldsOverflowAreRefused) {
  Host();
  Admit(2);
  for (const char* d : {"H01000123100005", "H011234567000" "05", "P010001231000",
                        "P0100012301"}) {
    Tick(peer[1], d);
    EXPECT_EQ(PlayerTable[1].score, 0) << d;
  }
  EXPECT_STREQ(AliveFlags, "NNN");
  EXPECT_EQ(Got(peer[2]), "");
  Tick(peer[1], "H01" "000123" "010" "05");
  EXPECT_EQ(PlayerTable[1].score * 1000 + PlayerTable[1].lines * 10 + PlayerTable[1].height,
            123 * 1000 + 10 * 10 + 5);
}

// The upper bounds of received fields: a height report up to 20, a join reply's StartHeight
// up to 15; and the Level a Server writes stops at 99 so the later fields keep their places.
TEST_F(NetMatch, FieldsStopAtTheirUpperBounds) {
  Level = 150;
  Host();
  int s = Socket();
  Tick(s, "CJ1");
  EXPECT_EQ(Got(s).substr(0, 7), "C019900");
  for (const auto& [height, kept] : {std::pair{"21", 0}, {"20", 20}}) {
    Tick(s, std::string("H01000000000") + height);
    EXPECT_EQ(PlayerTable[1].height, kept) << height;
  }
  LeaveGame();
  int server = Join();
  for (const auto& [height, row] : {std::pair{"16", 99}, {"15", 1}}) {
    Tick(server, std::string("C01") + "03" + height + "042NN04Hote03Moi");
    EXPECT_EQ(MyIndex, row) << height;
  }
  EXPECT_EQ(StartHeight, 15);
}
