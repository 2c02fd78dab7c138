// The attack path and the Server's match starts, on loopback.
#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/NetLoopback.h"

using NetRelay = LoopbackTest;

// The target that the rule picks among the living others with the generator's next draw.
static int ExpectedTarget(uint32_t seed, const char* alive, int me) {
  std::vector<int> others;
  int count = 0;
  for (int i = 0; alive[i]; ++i) {
    count += alive[i] == 'O';
    if (alive[i] == 'O' && i != me) others.push_back(i);
  }
  SeedRandom(seed);
  int n = NextRandom() % (count - 1);
  return n < int(others.size()) ? others[size_t(n)] : -1;
}

// Row 0 lost at this lock: it is no longer among the living, and the draw
// still runs over count - 1, so the last living row cannot be drawn.
TEST_F(NetRelay, TheServersAttackGoesToALivingOtherDrawnAsTheRuleSays) {
  Host();
  Admit(3);
  int hits[4] = {};
  for (const char* alive : {"OOOO", "OONO", "NOOO"}) {
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
      if (target > 0) ++hits[target];
    }
  }
  EXPECT_TRUE(hits[1] && hits[2] && hits[3]);
  std::strcpy(AliveFlags, "ONNN");  // alone: nothing goes out, the count is spent all the same
  LastClearCount = 2;
  SendAttack();
  EXPECT_EQ(LastClearCount, 0);
  EXPECT_EQ(Got(peer[1]) + Got(peer[2]) + Got(peer[3]), "");
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

// What every client gets at a match start: the Server's first height report, then "S".
static std::string StartDatagrams() {
  char text[32];
  std::snprintf(text, sizeof text, "H0000000000000|S%03u|", MatchSeed);
  return text;
}

// The last loss but the Server's own ends the match and opens the results; "/s" from a Client
// or Space then starts the next match with a seed of its own, not while two are alive.
TEST_F(NetRelay, SlashSOrSpaceStartTheNextMatchWithANewSeedOnceOneIsLeft) {
  Host();
  Admit(2);
  RequestStart();
  GameTick();
  EXPECT_EQ(Got(peer[2]), StartDatagrams());
  Tick(peer[1], "T01/s");
  Tick(peer[1], "P01000000000");
  RequestStart();
  GameTick();
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{});
  Tick(peer[2], "P02000120003");
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{ScoreDialog});
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(Got(peer[2]), "T01/s|P01000000000|");
  unsigned seed = MatchSeed;
  Tick(peer[1], "T01/s");
  EXPECT_EQ(Got(peer[2]), "T01Restart !|" + StartDatagrams());
  EXPECT_STREQ(MessageLine(1), "J1: Restart !");
  EXPECT_EQ(MatchOver, 0);
  EXPECT_NE(MatchSeed, seed);
  Got(peer[1]);
  Tick(peer[1], "P01000000000");
  Tick(peer[2], "P02000000000");
  seed = MatchSeed;
  RequestStart();
  GameTick();
  EXPECT_EQ(Got(peer[1]), "P02000000000|" + StartDatagrams());
  EXPECT_NE(MatchSeed, seed);
}
