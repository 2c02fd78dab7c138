// The attack path, the Server's relays and match starts, and what a joining Client takes, on loopback.
#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetLoopback.h"
#include "tests/TestMatch.h"

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

// The join that fills the last seat starts the match; Space starts the next one
// once at most one player is alive, with a seed of its own.
TEST_F(NetRelay, AFullGameStartsAndSpaceStartsTheNextMatchWithANewSeed) {
  Host();
  MaxPlayers = 3;
  SeedRandom(77);
  Admit(2);
  EXPECT_EQ(MatchOver, 0);
  EXPECT_STREQ(AliveFlags, "OOO");
  unsigned first = MatchSeed;
  std::strcpy(AliveFlags, "OON");
  RequestStart();
  GameTick();
  EXPECT_EQ(Got(peer[1]), "");  // two alive: Space does nothing
  AliveFlags[1] = 'N';
  RequestStart();
  GameTick();
  char start[8];
  std::snprintf(start, sizeof start, "S%03u|", MatchSeed);
  EXPECT_EQ(Got(peer[1]), "H0000000000000|" + std::string(start));
  EXPECT_NE(MatchSeed, first);
  EXPECT_STREQ(AliveFlags, "OOO");
}

TEST_F(NetRelay, AJoiningClientTakesTheServersGameAndSaysSo) {
  int server = Join();
  Tick(server, "X");
  EXPECT_STREQ(MessageLine(0), "Connexion refus\xE9" "e !");
  EXPECT_EQ(MessageColour(0), 0x008000u);
  EXPECT_EQ(MyIndex, UnassignedIndex);
  Tick(server, "C011204201NN04Hote03Moi");
  EXPECT_STREQ(MessageLine(0), "Connect\xE9 \xE0 127.0.0.1 !");
  EXPECT_EQ(MessageColour(0), 0x008000u);
  EXPECT_EQ(Level * 10000 + StartHeight * 1000 + int(MatchSeed), 12 * 10000 + 4 * 1000 + 201);
  std::string board = Stack();
  EXPECT_NE(board, "");
  ResetBoard();  // the Board the reply's seed and height build
  EXPECT_EQ(Stack(), board);
}
