// The Server's side of the protocol: admitting, refusing, relaying, forwarding attacks, departures.
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
static const uint32_t Purple = 0x800080;

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetNetTest();
    HostGame();
  }
};

static std::vector<int> Receivers(const std::vector<SentText>& sent) {
  std::vector<int> to;
  for (const SentText& s : sent) to.push_back(s.to);
  return to;
}

// --- Joining ---

TEST_F(ServerTest, JoinReplyNumbersTheNewcomerAndNamesEveryPlayer) {
  Level = 7;
  StartHeight = 3;
  MatchSeed = 42;
  FromPeer(1, "CAline");
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, 1);
  EXPECT_EQ(sent[0].text, "C010703042NN03Moi05Aline");
  FromPeer(2, "CBo");
  sent = TakeSent();
  EXPECT_EQ(Receivers(sent), (std::vector<int>{1, 2}));
  EXPECT_EQ(sent[0].text, "C020703042NNN03Moi05Aline02Bo");
  EXPECT_EQ(sent[1].text, sent[0].text);
  EXPECT_EQ(HighestIndex, 2);
  EXPECT_STREQ(PlayerTable[2].name, "Bo");
  EXPECT_EQ(PlayerTable[2].height, 3);
  EXPECT_EQ(std::memcmp(&PeerTable[2], &SenderAddress, sizeof(NetAddress)), 0);
  EXPECT_EQ(Line(0), "Bo connect\xE9 !");
  EXPECT_EQ(Colour(0), Green);
}

TEST_F(ServerTest, NewcomerDuringAMatchWaitsForTheNext) {
  AdmitPeers(1);
  RequestStart();
  GameTick();
  ASSERT_STREQ(AliveFlags, "OO");
  TakeSent();
  FromPeer(2, "CTard");
  EXPECT_STREQ(AliveFlags, "OON");
  char head[16];
  std::snprintf(head, sizeof head, "C020000%03uOON", unsigned(MatchSeed));
  EXPECT_EQ(TakeSent()[0].text.substr(0, 13), head);
}

TEST_F(ServerTest, AFullGameRefusesWithXToTheRequesterAlone) {
  MaxPlayers = 1;
  std::string before = TableSnapshot();
  FromPeer(4, "CRefus");
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, 4);
  EXPECT_EQ(sent[0].text, "X");
  EXPECT_EQ(TableSnapshot(), before);
}

TEST_F(ServerTest, AMaximumAboveEightNeverAdmitsANinthPlayer) {
  MaxPlayers = 20;
  for (int i = 1; i <= 9; ++i) FromPeer(i, "CJ" + std::to_string(i));
  EXPECT_EQ(HighestIndex, 7);
  EXPECT_EQ(std::strlen(AliveFlags), 8u);
  std::vector<SentText> sent = TakeSent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back().to, 9);
  EXPECT_EQ(sent.back().text, "X");
  // The eighth player filled the game: nobody was alive, so a match began.
  EXPECT_EQ(MatchOver, 0);
}

TEST_F(ServerTest, NamesTooLongForTheTableAreCut) {
  MatchSeed = 0;
  FromPeer(1, "C" + std::string(60, 'n'));
  EXPECT_EQ(std::string(PlayerTable[1].name), std::string(35, 'n'));
  EXPECT_EQ(TakeSent()[0].text, "C010000000NN03Moi35" + std::string(35, 'n'));
}

// --- The automatic start ---

TEST_F(ServerTest, TheJoinThatFillsTheGameStartsAMatchWhenNobodyIsAlive) {
  MaxPlayers = 3;
  MatchSeed = 5;
  FromPeer(1, "CA");
  EXPECT_EQ(MatchOver, 1);
  TakeSent();
  FromPeer(2, "CB");  // the reply goes out, then this same GameTick's start stage
  EXPECT_EQ(MatchOver, 0);
  EXPECT_STREQ(AliveFlags, "OOO");
  std::vector<SentText> sent = TakeSent();
  ASSERT_GE(sent.size(), 4u);
  EXPECT_EQ(sent[0].text.substr(0, 13), "C020000005NNN");
  char start[8];
  std::snprintf(start, sizeof start, "S%03u", unsigned(MatchSeed));
  int starts = 0;
  for (const SentText& s : sent) starts += s.text == start;
  EXPECT_EQ(starts, 2);  // one for each client
  EXPECT_EQ(Line(0), "Go !");
}

TEST_F(ServerTest, TheFillingJoinDoesNotStartWhileSomeoneIsAlive) {
  MaxPlayers = 3;
  AdmitPeers(1);
  RequestStart();
  GameTick();
  ASSERT_EQ(MatchOver, 0);
  FromPeer(1, "P01000000000");  // the match ends with a winner: one player still alive
  ASSERT_EQ(CountAlive(), 1);
  TakeSent();
  FromPeer(2, "CB");
  EXPECT_EQ(StartRequest, 0);
  for (const SentText& s : TakeSent()) EXPECT_NE(s.text[0], 'S');
}

// --- Relaying the players' reports ---

TEST_F(ServerTest, ReportsAreAppliedAndRelayedToEveryOtherClient) {
  AdmitPeers(3);
  FromPeer(2, "H02001234005" "17");
  std::vector<SentText> sent = TakeSent();
  EXPECT_EQ(Receivers(sent), (std::vector<int>{1, 3}));
  EXPECT_EQ(sent[0].text, "H0200123400517");
  EXPECT_EQ(PlayerTable[2].score, 1234);
  EXPECT_EQ(PlayerTable[2].lines, 5);
  EXPECT_EQ(PlayerTable[2].height, 17);

  FromPeer(3, "R03Zo\xE9");
  EXPECT_EQ(Receivers(TakeSent()), (std::vector<int>{1, 2}));
  EXPECT_STREQ(PlayerTable[3].name, "Zo\xE9");
  EXPECT_EQ(Line(0), "J3 -> Zo\xE9");
  EXPECT_EQ(Colour(0), Green);

  FromPeer(1, "T01bonjour");
  sent = TakeSent();
  EXPECT_EQ(Receivers(sent), (std::vector<int>{2, 3}));
  EXPECT_EQ(sent[0].text, "T01bonjour");
  EXPECT_EQ(Line(0), "J1: bonjour");
  EXPECT_EQ(Colour(0), Purple);
}

TEST_F(ServerTest, AScoreWiderThanSixDigitsKeepsTheFieldsBehindIt) {
  AdmitPeers(1);
  FromPeer(1, "H01" "1234567" "012" "09");
  EXPECT_EQ(PlayerTable[1].score, 1234567);
  EXPECT_EQ(PlayerTable[1].lines, 12);
  EXPECT_EQ(PlayerTable[1].height, 9);
  FromPeer(1, "P01" "20000000" "345");
  EXPECT_EQ(PlayerTable[1].score, 20000000);
  EXPECT_EQ(PlayerTable[1].lines, 345);
}

TEST_F(ServerTest, LossReportsEndTheMatchWhenOneIsLeft) {
  AdmitPeers(2);
  RequestStart();
  GameTick();
  TakeSent();
  FromPeer(1, "P01000420007");
  EXPECT_EQ(Receivers(TakeSent()), (std::vector<int>{2}));
  EXPECT_EQ(Line(0), "J1 a perdu !");
  EXPECT_EQ(Colour(0), Green);
  EXPECT_STREQ(AliveFlags, "ONO");
  EXPECT_EQ(PlayerTable[1].score, 420);
  EXPECT_EQ(PlayerTable[1].lines, 7);
  EXPECT_EQ(MatchOver, 0);
  FromPeer(2, "P02000000000");
  EXPECT_EQ(MatchOver, 1);
  EXPECT_EQ(CountAlive(), 1);
}

TEST_F(ServerTest, SlashSAfterTheMatchBecomesRestartAndStartsOne) {
  AdmitPeers(2);
  RequestStart();
  GameTick();
  TakeSent();
  FromPeer(1, "T01/s");  // two alive: an ordinary line
  std::vector<SentText> sent = TakeSent();
  EXPECT_EQ(sent[0].text, "T01/s");
  EXPECT_EQ(Line(0), "J1: /s");
  FromPeer(1, "P01000000000");
  FromPeer(2, "P02000000000");
  TakeSent();
  MatchOver = 1;
  FromPeer(1, "T01/s encore");
  sent = TakeSent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[0].to, 2);
  EXPECT_EQ(sent[0].text, "T01Restart !");
  EXPECT_EQ(Line(1), "J1: Restart !");
  EXPECT_EQ(Colour(1), Purple);
  EXPECT_EQ(Line(0), "Go !");
  EXPECT_EQ(MatchOver, 0);
  EXPECT_EQ(sent.back().text.substr(0, 1), "S");
}

// --- Departures ---

TEST_F(ServerTest, TheLastPlayerTakesTheFreedRowAndItsAddress) {
  AdmitPeers(3);
  PlayerTable[3].score = 77;
  AliveFlags[3] = 'O';
  FromPeer(1, "D01");
  std::vector<SentText> sent = TakeSent();
  EXPECT_EQ(Receivers(sent), (std::vector<int>{2, 3}));  // the moving player hears of it too
  EXPECT_EQ(sent[0].text, "D01");
  EXPECT_EQ(Line(0), "J1 d\xE9" "connect\xE9 !");
  EXPECT_EQ(Colour(0), Green);
  EXPECT_EQ(HighestIndex, 2);
  EXPECT_STREQ(AliveFlags, "NON");
  EXPECT_STREQ(PlayerTable[1].name, "J3");
  EXPECT_EQ(PlayerTable[1].score, 77);
  // Row 1 now reaches peer 3; the next newcomer gets number 3.
  std::strcpy(ExchangeBuffer, "T00x");
  SendToPeer(1);
  EXPECT_EQ(TakeSent()[0].to, 3);
  FromPeer(5, "CNouveau");
  EXPECT_EQ(HighestIndex, 3);
  EXPECT_EQ(Receivers(TakeSent()), (std::vector<int>{3, 2, 5}));
}

TEST_F(ServerTest, DepartureOfTheLastRowOnlyShrinksTheTable) {
  AdmitPeers(2);
  FromPeer(2, "D02");
  EXPECT_EQ(Receivers(TakeSent()), (std::vector<int>{1}));
  EXPECT_EQ(HighestIndex, 1);
  EXPECT_STREQ(PlayerTable[1].name, "J1");
  EXPECT_STREQ(AliveFlags, "NN");
}

// --- Attacks ---

TEST_F(ServerTest, AnAttackOnAClientIsForwardedUnchangedAndDrawsNothing) {
  AdmitPeers(3);
  SeedRandom(99);
  int next = NextRandom();
  SeedRandom(99);
  FromPeer(1, "L01023");
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, 2);
  EXPECT_EQ(sent[0].text, "L01023");
  EXPECT_EQ(PendingPenalty, 0);
  EXPECT_EQ(NextRandom(), next);
}

TEST_F(ServerTest, AClientsFulrowOnTheServerIsTakenOrDodgedByTheSharedDraw) {
  AdmitPeers(1);
  bool seen[2] = {false, false};
  for (uint32_t seed = 1; seed <= 16; ++seed) {
    PendingPenalty = 0;
    SeedRandom(seed);
    bool taken = (NextRandom() & 3) != 0;
    SeedRandom(seed);
    FromPeer(1, "L01004");
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(PendingPenalty, taken ? 4 : 0) << seed;
    EXPECT_EQ(Line(0), taken ? "J1:  Fulrow !" : "J1:  Fulrow");
    EXPECT_EQ(Colour(0), taken ? 0xFF0000u : 0x0000FFu);
    seen[taken] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1]);
}

TEST_F(ServerTest, TheServersOwnAttackGoesStraightToItsTarget) {
  AdmitPeers(2);
  std::strcpy(AliveFlags, "OOO");
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    SeedRandom(seed);
    int t = 1 + NextRandom() % 2;
    SeedRandom(seed);
    LastClearCount = 4;
    SendAttack();
    std::vector<SentText> sent = TakeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].to, t);
    EXPECT_EQ(sent[0].text, "L000" + std::to_string(t) + "4");
  }
}

// --- Malformed and hostile datagrams ---

TEST_F(ServerTest, MalformedDatagramsChangeNothingAndReachNobody) {
  AdmitPeers(2);
  const char* datagrams[] = {
      "H07000000000005", "H99000000000005", "H1", "H0x000000000005", "H010000000000",
      "H01000000000021", "H01000000000-05", "P05000000000", "P01", "R09Nom", "R-1Nom",
      "T08salut", "T00usurpe", "D00", "D99", "D08", "D", "L01073", "L01029", "L01020",
      "L09003", "L0100", "S123", "Z", "?", "X01"};
  for (const char* d : datagrams) {
    std::string before = TableSnapshot();
    int pending = PendingPenalty;
    std::string newest = Line(0);
    FromPeer(1, d);
    EXPECT_EQ(TableSnapshot(), before) << d;
    EXPECT_EQ(PendingPenalty, pending) << d;
    if (d[0] != 'X') {
      EXPECT_EQ(Line(0), newest) << d;
    }
    EXPECT_EQ(GameMode, Server) << d;
    EXPECT_EQ(MatchOver, 1) << d;
    EXPECT_TRUE(TakeSent().empty()) << d;
  }
}
