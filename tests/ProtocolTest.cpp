// The message protocol on loopback: the program as Server or Client, the test's sockets as the others.
#include <cstdio>
#include <random>

#include "display/MessageLog.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/Messages.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/NetInvariant.h"
#include "tests/NetLoopback.h"

using Protocol = LoopbackTest;

TEST_F(Protocol, AFullGameRefusesWithXAndChangesNothing) {
  Host();
  MaxPlayers = 1;
  int late = Socket();
  Tick(late, "CTard");
  EXPECT_EQ(Got(late), "X|");
  EXPECT_EQ(HighestIndex, 0);
}

TEST_F(Protocol, OnTheServerTheLastPlayerTakesTheFreedRowAndItsAddress) {
  Host();
  Admit(2);
  Tick(peer[1], "D01");
  EXPECT_EQ(Got(peer[2]), "D01|");
  EXPECT_EQ(PlayerTable[1].name + std::string(AliveFlags), "J2NN");
  int newcomer = Socket();
  Tick(newcomer, "CJ3");
  EXPECT_EQ(Got(peer[1]) + "/" + Got(peer[2]) + "/" + Got(newcomer),
            "/C020000000NNN03Moi02J202J3|/C020000000NNN03Moi02J202J3|");
}

TEST_F(Protocol, OnAClientThisPlayerMovesIntoTheFreedRow) {
  int server = Join();
  Tick(server, "C020000000NNN04Hote03Ann03Moi");
  Tick(server, "D01");
  EXPECT_EQ(std::to_string(MyIndex) + PlayerTable[1].name + AliveFlags, "1MoiNN");
  LeaveGame();
  EXPECT_EQ(Got(server), "D01|");
}

// Three attacks in four are taken, by the shared generator's next draw.
TEST_F(Protocol, AFulrowOnTheServersPlayerIsShownAndNotForwarded) {
  Host();
  Admit(2);
  int outcomes = 0;
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    SeedRandom(seed);
    bool taken = (NextRandom() & 3) != 0;
    SeedRandom(seed);
    PendingPenalty = 0;
    Tick(peer[1], "L01004");
    EXPECT_EQ(MessageLine(0) + std::to_string(PendingPenalty), taken ? "J1:  Fulrow !4" : "J1:  Fulrow0");
    EXPECT_EQ(MessageColour(0), taken ? 0xFF0000u : 0x0000FFu);
    outcomes |= 1 << taken;
  }
  EXPECT_EQ(outcomes, 3);  // both taken and dodged
  EXPECT_EQ(Got(peer[1]) + Got(peer[2]), "");
}

// What every client gets at a match start: the Server's first height report, then "S".
static std::string StartDatagrams() {
  char text[32];
  std::snprintf(text, sizeof text, "H0000000000000|S%03u|", MatchSeed);
  return text;
}

// The Server's player wins: the loss of the last client ends the match.
TEST_F(Protocol, TheLastLossOpensTheResultsAndSlashSThenStartsTheNextMatch) {
  Host();
  Admit(2);
  RequestStart();
  GameTick();
  Tick(peer[1], "T01/s");
  Tick(peer[1], "P01000000000");
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{});
  Tick(peer[2], "P02000120003");
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{ScoreDialog});
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(Got(peer[2]), StartDatagrams() + "T01/s|P01000000000|");
  Tick(peer[1], "T01/s");
  EXPECT_EQ(Got(peer[2]), "T01Restart !|" + StartDatagrams());
  EXPECT_STREQ(MessageLine(1), "J1: Restart !");
  EXPECT_EQ(MatchOver, 0);
}

TEST_F(Protocol, TheServerLeavingStopsAClient) {
  int server = Join();
  Tick(server, "C020403077ONN04Hote03Ann03Moi");
  Tick(server, "S123");
  ASSERT_EQ(MatchOver, 0);
  Tick(server, "D00");
  EXPECT_STREQ(MessageLine(1), "Hote d\xE9" "connect\xE9 !");
  EXPECT_STREQ(MessageLine(0), "Partie arr\xEAt\xE9" "e !");
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(MyIndex, UnassignedIndex);
}

// A report counts only from a socket that holds a row: a stranger speaks for nobody.
TEST_F(Protocol, ReportsFromAnotherSocketAreIgnored) {
  Host();
  Admit(2);
  std::string table(reinterpret_cast<char*>(PlayerTable), sizeof PlayerTable);
  int stranger = Socket();
  for (const char* d : {"D01", "H01000999000" "10", "P01000000000", "R01Usurpe", "T01x", "L01004",
                        "D00", "T00x", "P00000000000", "P99000000000", "D99"})
    Tick(stranger, d);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(PlayerTable), sizeof PlayerTable), table);
  EXPECT_STREQ(MessageLine(0), "J2 connect\xE9 !");
  EXPECT_EQ(Got(peer[1]) + Got(peer[2]), "");
  Tick(peer[1], "D01");
  EXPECT_EQ(HighestIndex, 1);
}

// Letters of messages, then mostly digits that make player numbers in range,
// now and then any byte; some padded as peers send them, some not; from the
// players' sockets and from a stranger's. A Client stopped by a "D00" joins again.
TEST_F(Protocol, TenThousandRandomDatagramsLeaveAConsistentGame) {
  std::mt19937 random(2024);
  for (int mode : {Server, Client}) {
    std::vector<int> from;
    if (mode == Server) {
      Host();
      Admit(3);
      from = {peer[1], peer[2], peer[3]};
    } else {
      from = {Join()};
    }
    from.push_back(Socket());
    for (int i = 0; i < 5000; ++i) {
      if (mode == Client && MyIndex == UnassignedIndex) Tick(from[0], "C020000000NNN04Hote03Ann03Moi");
      std::string d(1, "CXDHLPRST"[random() % 9]);
      for (size_t n = random() % 24; n > 0; --n) d += "000011123456789ONx\xE9"[random() % 19];
      if (random() % 8 == 0) d[random() % d.size()] = char(random());
      int fd = from[random() % from.size()];
      random() % 2 ? Tick(fd, d) : Deliver(fd, d);
      ASSERT_TRUE(PlayerTableConsistent() && GameMode == mode && NetWaitHandle() >= 0)
          << mode << " " << i << " " << d;
    }
  }
}
