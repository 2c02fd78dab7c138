// A Client's side of the protocol: admission, departures, match start, attacks made and received.
#include <gtest/gtest.h>

#include <cstring>

#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullNet.h"
#include "tests/NetPeers.h"

static const uint32_t Green = 0x008000;
static const uint32_t Red = 0x0000FF;
static const uint32_t Blue = 0xFF0000;
static const uint32_t Purple = 0x800080;

class ClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetNetTest();
    JoinGame();
  }
  // Admitted as the last of the named players, nobody alive.
  void Admit(const std::vector<std::string>& names) {
    FromServer(JoinReply(0, 0, 0, std::string(names.size(), 'N').c_str(), names));
    ASSERT_EQ(MyIndex, int(names.size()) - 1);
    TakeSent();
  }
};

// --- Admission ---

TEST_F(ClientTest, OwnAdmissionTakesNumberSettingsAndNames) {
  FromServer(JoinReply(4, 2, 77, "ONN", {"Hote", "Ann", "Moi"}));
  EXPECT_EQ(MyIndex, 2);
  EXPECT_EQ(HighestIndex, 2);
  EXPECT_EQ(Level, 4);
  EXPECT_EQ(StartHeight, 2);
  EXPECT_EQ(MatchSeed, 77u);
  EXPECT_STREQ(AliveFlags, "ONN");
  EXPECT_STREQ(PlayerTable[0].name, "Hote");
  EXPECT_STREQ(PlayerTable[1].name, "Ann");
  for (int i = 0; i <= 2; ++i) EXPECT_EQ(PlayerTable[i].height, 2);
  EXPECT_EQ(Line(0), "Connect\xE9 \xE0 10.0.0.100 !");
  EXPECT_EQ(Colour(0), Green);

  FromServer(JoinReply(5, 1, 9, "ONNN", {"Hote", "Ann", "Moi", "Zed"}));
  EXPECT_EQ(MyIndex, 2);
  EXPECT_EQ(HighestIndex, 3);
  EXPECT_EQ(Level, 5);
  EXPECT_EQ(Line(0), "Zed connect\xE9 !");
  EXPECT_EQ(Colour(0), Green);
  EXPECT_TRUE(TakeSent().empty());
}

TEST_F(ClientTest, RefusalLeavesTheClientWaitingWithItsSocket) {
  FromServer("X");
  EXPECT_EQ(Line(0), "Connexion refus\xE9" "e !");
  EXPECT_EQ(Colour(0), Green);
  EXPECT_EQ(MyIndex, UnassignedIndex);
  EXPECT_TRUE(NullNetSocketOpen());
}

TEST_F(ClientTest, MalformedJoinRepliesChangeNothing) {
  const char* replies[] = {
      "C", "C08000000NNNNNNNNN", "C00000000N", "C010016000NN", "C010000256NN", "C010000000NX",
      "C010000000N", "C010000000NN05Hote", "C010000000NN02Ho02Ab02Cd", "C010000000NNxxHo",
      "CMarie", "C0x0000000NN"};
  for (const char* r : replies) {
    std::string before = TableSnapshot();
    std::string newest = Line(0);
    FromServer(r);
    EXPECT_EQ(TableSnapshot(), before) << r;
    EXPECT_EQ(Line(0), newest) << r;
  }
  Admit({"Hote", "Ann", "Moi"});
  std::string before = TableSnapshot();
  FromServer(JoinReply(0, 0, 0, "NN", {"Hote", "Ann"}));  // would leave this player outside the table
  EXPECT_EQ(TableSnapshot(), before);
}

// --- Departures ---

TEST_F(ClientTest, TheServerLeavingStopsTheGame) {
  Admit({"Hote", "Ann", "Moi"});
  FromServer("S010");
  ASSERT_EQ(MatchOver, 0);
  FromServer("D00");
  EXPECT_EQ(Line(1), "Hote d\xE9" "connect\xE9 !");
  EXPECT_EQ(Colour(1), Green);
  EXPECT_EQ(Line(0), "Partie arr\xEAt\xE9" "e !");
  EXPECT_EQ(Colour(0), Green);
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(MyIndex, UnassignedIndex);
  EXPECT_EQ(HighestIndex, 2);
  EXPECT_TRUE(NullNetSocketOpen());
}

TEST_F(ClientTest, ThisPlayerMovesIntoTheFreedRow) {
  Admit({"Hote", "Ann", "Bea", "Moi"});
  FromServer("D01");
  EXPECT_EQ(MyIndex, 1);
  EXPECT_EQ(HighestIndex, 2);
  EXPECT_STREQ(PlayerTable[1].name, "Moi");
  EXPECT_STREQ(PlayerTable[2].name, "Bea");
  EXPECT_EQ(std::strlen(AliveFlags), 3u);
  EXPECT_TRUE(TakeSent().empty());  // only the Server relays
  LeaveGame();
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].text, "D01");
  EXPECT_FALSE(NullNetSocketOpen());
}

TEST_F(ClientTest, AnotherPlayerMovingLeavesThisOneInPlace) {
  Admit({"Hote", "Ann", "Moi"});
  FromServer(JoinReply(0, 0, 0, "NNNN", {"Hote", "Ann", "Moi", "Zed"}));
  FromServer("D01");
  EXPECT_EQ(MyIndex, 2);
  EXPECT_STREQ(PlayerTable[1].name, "Zed");
  EXPECT_EQ(HighestIndex, 2);
  FromServer("D02");  // this machine's own departure never comes back to it
  EXPECT_EQ(HighestIndex, 2);
}

TEST_F(ClientTest, AnUnadmittedClientLeavesAsNinetyNine) {
  LeaveGame();
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, 0);
  EXPECT_EQ(sent[0].text, "D99");
}

// --- Reports from the others ---

TEST_F(ClientTest, ReportsFromOthersAreShownAndNotSentOn) {
  Admit({"Hote", "Ann", "Moi"});
  FromServer("S200");
  TakeSent();
  FromServer("T00salut");
  EXPECT_EQ(Line(0), "Hote: salut");
  EXPECT_EQ(Colour(0), Purple);
  FromServer("R01Anne");
  EXPECT_EQ(Line(0), "Ann -> Anne");
  FromServer("P01000300004");
  EXPECT_EQ(Line(0), "Anne a perdu !");
  EXPECT_EQ(MatchOver, 0);
  FromServer("P00000000000");
  EXPECT_EQ(MatchOver, 1);
  EXPECT_STREQ(AliveFlags, "NNO");
  FromServer("H02000001001" "05");  // about this machine's own row: never genuine
  EXPECT_EQ(PlayerTable[2].score, 0);
  EXPECT_TRUE(TakeSent().empty());
}

// --- Match start ---

TEST_F(ClientTest, MatchStartTakesTheServersSeedAndSendsNoStart) {
  Admit({"Hote", "Moi"});
  FromServer("S123");
  EXPECT_EQ(MatchSeed, 123u);
  EXPECT_EQ(MatchOver, 0);
  EXPECT_STREQ(AliveFlags, "OO");
  EXPECT_EQ(Line(0), "Go !");
  EXPECT_EQ(Colour(0), Green);
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);  // the first spawn's height report
  EXPECT_EQ(sent[0].text.substr(0, 3), "H01");
}

TEST_F(ClientTest, MalformedStartsAreIgnored) {
  Admit({"Hote", "Moi"});
  for (const char* s : {"S256", "S12", "S1x3", "S"}) {
    FromServer(s);
    EXPECT_EQ(MatchOver, 1) << s;
  }
}

// --- Attacks ---

TEST_F(ClientTest, AttacksAreTakenThreeTimesInFourByTheSharedDraw) {
  Admit({"Hote", "Ann", "Moi"});
  const char* words[] = {"", " 1 ligne", " 2 lignes", " 3 lignes", " Fulrow"};
  int taken = 0, dodged = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    int count = 1 + int(seed % 4);
    SeedRandom(seed);
    bool take = (NextRandom() & 3) != 0;
    SeedRandom(seed);
    PendingPenalty = 1;
    FromServer("L01" "02" + std::to_string(count));
    std::string text = std::string("Ann: ") + words[count];
    EXPECT_EQ(Line(0), take ? text + " !" : text) << seed;
    EXPECT_EQ(Colour(0), take ? Blue : Red) << seed;
    EXPECT_EQ(PendingPenalty, take ? 1 + count : 1) << seed;
    (take ? taken : dodged) += 1;
  }
  EXPECT_GT(taken, dodged);
  EXPECT_GT(dodged, 0);
}

struct TargetCase {
  const char* alive;
  std::vector<int> candidates;  // the rows the draw picks among, in table order
};

// MyIndex is 2 of rows 0..3.
TEST_F(ClientTest, TheTargetIsDrawnAmongTheLivingOpponents) {
  Admit({"Hote", "Ann", "Moi"});
  FromServer(JoinReply(0, 0, 0, "NNNN", {"Hote", "Ann", "Moi", "Zed"}));
  TargetCase cases[] = {
      {"OOOO", {0, 1, 3}},
      {"ONOO", {0, 3}},
      {"NNOO", {3}},
      {"OONO", {0, 1}},  // lost at this very lock: the last living row cannot be drawn
  };
  for (const TargetCase& c : cases) {
    std::strcpy(AliveFlags, c.alive);
    int alive = CountAlive();
    std::vector<bool> hit(4, false);
    for (uint32_t seed = 1; seed <= 24; ++seed) {
      SeedRandom(seed);
      int t = c.candidates[size_t(NextRandom() % (alive - 1))];
      SeedRandom(seed);
      LastClearCount = 3;
      SendAttack();
      std::vector<SentText> sent = TakeSent();
      ASSERT_EQ(sent.size(), 1u) << c.alive;
      EXPECT_EQ(sent[0].to, 0);
      EXPECT_EQ(sent[0].text, "L020" + std::to_string(t) + "3") << c.alive << seed;
      EXPECT_EQ(LastClearCount, 0);
      hit[size_t(t)] = true;
    }
    for (int r : c.candidates) EXPECT_TRUE(hit[size_t(r)]) << c.alive << r;
  }
}

TEST_F(ClientTest, NoAttackWithoutALivingOpponentAndNoDraw) {
  Admit({"Hote", "Moi"});
  std::strcpy(AliveFlags, "NO");
  SeedRandom(5);
  int next = NextRandom();
  SeedRandom(5);
  LastClearCount = 2;
  SendAttack();
  EXPECT_TRUE(TakeSent().empty());
  EXPECT_EQ(LastClearCount, 0);
  EXPECT_EQ(NextRandom(), next);
}

// The attack stage draws before a received attack in the same GameTick.
TEST_F(ClientTest, GameTickAttacksBeforeItReceives) {
  Admit({"Hote", "Ann", "Moi"});
  std::strcpy(AliveFlags, "OOO");
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    SeedRandom(seed);
    int target = NextRandom() % 2;
    bool take = (NextRandom() & 3) != 0;
    SeedRandom(seed);
    PendingPenalty = 0;
    LastClearCount = 1;
    FromServer("L00021");
    std::vector<SentText> sent = TakeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, "L020" + std::to_string(target) + "1");
    EXPECT_EQ(PendingPenalty, take ? 1 : 0) << seed;
  }
}
