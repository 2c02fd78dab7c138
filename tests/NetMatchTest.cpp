// A match over a network that loses, repeats and reorders datagrams, on loopback:
// joins, departures, the reports and who a Client listens to.
#include <cstring>

#include "display/MessageLog.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetLoopback.h"
#include "tests/TestMatch.h"

using NetMatch = LoopbackTest;

TEST_F(NetMatch, AnUnansweredJoinIsRepeatedEverySecondThenGivenUpAfterTenSeconds) {
  NullSetClock(5000);
  int server = Join();
  std::string repeats;
  for (uint32_t ms = 100; ms <= 9900; ms += 100) {
    NullSetClock(5000 + ms);
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

// A report sent before the sender heard that it moved names its old row.
TEST_F(NetMatch, TheServerReadsReportsByTheSendersRow) {
  Host();
  Admit(3);
  Tick(peer[1], "D01");
  EXPECT_EQ(Got(peer[2]), "D01|");
  EXPECT_EQ(PlayerTable[1].name + std::string(AliveFlags), "J3NNN");
  Tick(peer[3], "H03000042001" "07");
  EXPECT_EQ(PlayerTable[1].score * 100 + PlayerTable[1].height, 4207);
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

// The Server may answer from another of its addresses than the one typed, on NetPort.
TEST_F(NetMatch, AClientHearsOnlyTheAddressItsReplyCameFrom) {
  int typed = Join("127.0.0.1");
  int stranger = Socket();
  Tick(typed, "S123");  // before admission only a reply or a refusal counts
  EXPECT_EQ(MatchOver, 1);
  Tick(stranger, "C010000000NN04Hote03Moi");  // not from NetPort
  EXPECT_EQ(MyIndex, UnassignedIndex);
  int answering = Socket("127.0.0.2", uint16_t(NetPort));
  Tick(answering, "C010000000NN04Hote03Moi");
  ASSERT_EQ(MyIndex, 1);
  for (int fd : {stranger, typed})
    for (const char* d : {"D00", "L00014", "R00Mallory", "S042"}) Tick(fd, d);
  EXPECT_EQ(PendingPenalty, 0);
  EXPECT_STREQ(PlayerTable[0].name, "Hote");
  EXPECT_EQ(MatchOver * 10 + MyIndex, 11);
  Tick(answering, "R00Vraie");
  EXPECT_STREQ(PlayerTable[0].name, "Vraie");
  LeaveGame();
  EXPECT_EQ(Got(answering), "D01|");
}

// Fields that overflow into the next are refused. The upper bounds of received fields: a
// height report up to 20, a join reply's StartHeight up to 15; and the Level a Server writes
// stops at 99 so the later fields keep their places.
TEST_F(NetMatch, ReportsWhoseFieldsOverflowOrPassTheirBoundsAreRefused) {
  Level = 150;
  Host();
  Admit(2);
  for (const char* d : {"H01000123100005", "H011234567000" "05", "P010001231000", "P0100012301",
                        "H01000123010" "21"}) {
    Tick(peer[1], d);
    EXPECT_EQ(PlayerTable[1].score, 0) << d;
  }
  EXPECT_STREQ(AliveFlags, "NNN");
  EXPECT_EQ(Got(peer[2]), "");
  Tick(peer[1], "H01" "000123" "010" "20");
  EXPECT_EQ(PlayerTable[1].score * 1000 + PlayerTable[1].lines * 10 + PlayerTable[1].height,
            123 * 1000 + 10 * 10 + 20);
  int late = Socket();
  Tick(late, "CJ3");
  EXPECT_EQ(Got(late).substr(0, 7), "C039900");
  LeaveGame();
  int server = Join();
  for (const auto& [height, row] : {std::pair{"16", 99}, {"15", 1}}) {
    Tick(server, std::string("C01") + "03" + height + "042NN04Hote03Moi");
    EXPECT_EQ(MyIndex, row) << height;
  }
  EXPECT_EQ(StartHeight, 15);
}
