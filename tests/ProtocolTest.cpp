// The transport and the attack path on loopback: the program as Server or Client, the test's
// sockets as the others.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetLoopback.h"

using Transport = LoopbackTest;
using NetRelay = LoopbackTest;

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
  int ann = Socket();
  Deliver(ann, "");
  Tick(ann, "CAnn");
  EXPECT_EQ(Got(ann), "C030000000NNNN03Moi02J102J203Ann|");
  Got(peer[1]);
  Tick(peer[1], "T01" + std::string(300, 'x'));
  Got(peer[2]);
  Deliver(peer[1], "D01");
  EXPECT_EQ(Got(peer[2]), "D01|");
}

// The target that the rule picks among the living others with the generator's next draw,
// which runs over the number of living players but one: -1 for none.
static int ExpectedTarget(uint32_t seed, std::string alive, int me) {
  int count = int(std::count(alive.begin(), alive.end(), 'O'));
  alive[size_t(me)] = 'N';
  SeedRandom(seed);
  size_t at = count < 2 ? std::string::npos : alive.find('O');
  for (uint32_t n = count < 2 ? 0 : NextRandom() % uint32_t(count - 1); n > 0; --n)
    at = alive.find('O', at + 1);
  return at == std::string::npos ? -1 : int(at);
}

// Row 0 lost at this lock: it is no longer among the living, and the draw still runs over
// count - 1, so the last living row cannot be drawn. Alone, nothing goes out; the count is
// spent all the same.
TEST_F(NetRelay, TheServersAttackGoesToALivingOtherDrawnAsTheRuleSays) {
  Host();
  Admit(3);
  int hits[5] = {};
  for (const char* alive : {"OOOO", "OONO", "NOOO", "ONNN"}) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      std::strcpy(AliveFlags, alive);
      SeedRandom(seed);
      LastClearCount = int32_t(1 + seed % 4);
      SendAttack();
      int target = ExpectedTarget(seed, alive, 0);
      for (int p = 1; p <= 3; ++p) {
        char want[16] = "";
        if (p == target) std::snprintf(want, sizeof want, "L00%02d%d|", p, int(1 + seed % 4));
        EXPECT_EQ(Got(peer[p]), want) << alive << " seed " << seed;
      }
      EXPECT_EQ(LastClearCount, 0);
      hits[target + 1]++;
    }
  }
  EXPECT_TRUE(hits[0] && hits[2] && hits[3] && hits[4]);
}

TEST_F(NetRelay, AClientsAttackGoesToTheServerNamingItsRowAndTheTarget) {
  int server = Join();
  Tick(server, "C020000000NNN04Hote03Ann03Moi");
  std::strcpy(AliveFlags, "OOO");
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    SeedRandom(seed);
    LastClearCount = 3;
    SendAttack();
    EXPECT_EQ(Got(server), "L02" "0" + std::to_string(ExpectedTarget(seed, "OOO", 2)) + "3|");
  }
}

// Three attacks in four are taken, by the shared generator's next draw.
TEST_F(NetRelay, AnAttackOnTheServersPlayerIsShownAndNotForwarded) {
  Host();
  Admit(2);
  int outcomes = 0;
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    SeedRandom(seed);
    bool taken = (NextRandom() & 3) != 0;
    SeedRandom(seed);
    PendingPenalty = 0;
    Tick(peer[1], "L01004");
    EXPECT_EQ(MessageLine(0) + std::to_string(PendingPenalty),
              taken ? "J1:  Fulrow !4" : "J1:  Fulrow0");
    EXPECT_EQ(MessageColour(0), taken ? 0xFF0000u : 0x0000FFu);
    outcomes |= 1 << taken;
  }
  EXPECT_EQ(outcomes, 3);  // both taken and dodged
  EXPECT_EQ(Got(peer[1]) + Got(peer[2]), "");
}
