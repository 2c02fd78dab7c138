// The transport and the protocol on loopback, the program as Server or Client and the test's
// sockets as the others: addresses, empty and short datagrams, a loss before admission, who
// a Client listens to and the Level a Server sends.
#include <cstring>

#include "display/MessageLog.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetLoopback.h"

using Transport = LoopbackTest;
using NetMatch = LoopbackTest;

// A LAN address usually has no name registered for it (127.0.0.9 has none):
// it is used as it stands, never looked up in reverse. Join checks that the
// join request reached the test's socket at that address.
TEST_F(Transport, ADottedAddressIsUsedAsItStandsAndOtherTextIsNotFound) {
  for (const char* text : {"192.168.1.256", "1..2.3", "10.0.0", "1.2.3.4x", "1.2.3.0004"}) {
    std::strcpy(ServerName, text);
    EXPECT_EQ(ConnectToServer(), -1) << text;
    EXPECT_STREQ(MessageLine(0), "Serveur introuvable !");
    EXPECT_EQ(NetWaitHandle(), -1);
  }
  Join("127.0.0.9");
  EXPECT_EQ(GameMode, Client);
}

// The pending byte count of an empty datagram is 0: asking for it would leave the empty one
// at the head of the queue and every datagram behind it unread. A short datagram is read
// without what a longer one left in the buffer.
TEST_F(Transport, EmptyAndShortDatagramsAreReadAsTheyAre) {
  Host();
  Admit(2);
  Deliver(peer[1], "");
  Tick(peer[1], "T01" + std::string(300, 'x'));
  EXPECT_EQ(Got(peer[2]), "T01" + std::string(300, 'x') + "|");
  Deliver(peer[1], "D01");
  EXPECT_EQ(Got(peer[2]), "D01|");
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

// The Level a Server writes stops at 99 so that the later fields keep their places.
TEST_F(NetMatch, TheLevelAServerSendsStopsAt99) {
  Level = 150;
  Host();
  int s = Socket();
  Tick(s, "CJ1");
  EXPECT_EQ(Got(s).substr(0, 7), "C019900");
}
