// Transport on the in-memory network: set-up failures, the server's name rules, sends and receives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "display/MessageLog.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullDialog.h"
#include "shell/platform/null/NullNet.h"
#include "tests/NetPeers.h"

static const uint32_t Red = 0x0000FF;
static const uint32_t Green = 0x008000;

static uint16_t PortBytes(const NetAddress& a) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(&a.port);
  return uint16_t(p[0] << 8 | p[1]);
}

class TransportTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetNetTest(); }
};

// --- Set-up and its failures ---

TEST_F(TransportTest, ServerBindsEveryAddressOnTheLow16BitsOfNetPort) {
  NetPort = 0x10000 + 6100;
  ASSERT_EQ(OpenServerSocket(), 0);
  NetAddress bound = NullNetBoundAddress();
  EXPECT_EQ(bound.family, NetInternetFamily);
  EXPECT_EQ(PortBytes(bound), 6100);
  EXPECT_EQ(bound.address, 0u);
  EXPECT_TRUE(NullNetSocketOpen());
}

TEST_F(TransportTest, EachSetUpFailureShowsItsRedLineAndLeavesNothingOpen) {
  struct Case {
    int faults;
    bool server;
    const char* text;
  } cases[] = {
      {StartupFails, true, "Windows Sockets non support\xE9 !"},
      {StartupFails, false, "Windows Sockets non support\xE9 !"},
      {SocketFails, true, "Erreur cr\xE9" "ation socket !"},
      {SocketFails, false, "Erreur cr\xE9" "ation socket !"},
      {PortTaken, true, "Une partie est d\xE9j\xE0 en cours !"},
  };
  for (const Case& c : cases) {
    ResetNetTest();
    NullNetSetFaults(c.faults);
    EXPECT_EQ(c.server ? OpenServerSocket() : ConnectToServer(), -1) << c.text;
    EXPECT_EQ(Line(0), c.text);
    EXPECT_EQ(Colour(0), Red);
    EXPECT_FALSE(NullNetSocketOpen()) << c.text;
    EXPECT_FALSE(NullNetStarted()) << c.text;
    EXPECT_TRUE(NullNetTakeSent().empty()) << c.text;
  }
}


// --- The server text ---

TEST_F(TransportTest, ServerTextStartingWithALetterIsLookedUpAsAName) {
  NullNetAddHost("salle-jeux", NullIPv4(192, 168, 4, 7));
  std::strcpy(ServerName, "salle-jeux");
  NetPort = 5002;
  ASSERT_EQ(ConnectToServer(), 0);
  EXPECT_EQ(NullNetLookups(), std::vector<std::string>{"salle-jeux"});
  EXPECT_EQ(PeerTable[0].address, NullIPv4(192, 168, 4, 7));
  EXPECT_EQ(PortBytes(PeerTable[0]), 5002);
  EXPECT_EQ(Line(0), "Recherche serveur...");
  EXPECT_EQ(Colour(0), Green);
}

// A LAN address has no name registered for it: it is used as it stands.
TEST_F(TransportTest, DottedAddressIsUsedWithoutAnyNameForIt) {
  std::strcpy(ServerName, "192.168.1.20");
  ASSERT_EQ(ConnectToServer(), 0);
  EXPECT_EQ(PeerTable[0].address, NullIPv4(192, 168, 1, 20));
  EXPECT_EQ(PeerTable[0].family, NetInternetFamily);
  EXPECT_TRUE(NullNetLookups().empty());
}

TEST_F(TransportTest, TextThatIsNeitherNameNorDottedAddressIsNotFound) {
  NullNetAddHost("3com", NullIPv4(10, 1, 1, 1));
  const char* texts[] = {"salle", "192.168.1", "192.168.1.256", "1.2.3.4x", "1..2.3",
                         "", " 10.0.0.1", "3com", "-1.2.3.4", "1.2.3.0004", "\xE9t\xE9"};
  for (const char* text : texts) {
    ResetNetTest();
    std::strcpy(ServerName, text);
    EXPECT_EQ(ConnectToServer(), -1) << text;
    EXPECT_EQ(Line(0), "Serveur introuvable !") << text;
    EXPECT_EQ(Colour(0), Red);
    EXPECT_EQ(Line(1), "Recherche serveur...");
    EXPECT_FALSE(NullNetSocketOpen()) << text;
  }
}


// --- Sends ---

TEST_F(TransportTest, EveryDatagramIsTheWholeBufferWithZerosBehindTheText) {
  HostGame();
  PeerTable[1] = NullPeerAddress(1);
  HighestIndex = 1;
  std::memset(ExchangeBuffer, 'Z', ExchangeSize);
  std::strcpy(ExchangeBuffer, "X");
  SendToPeer(1);
  std::vector<NullDatagram> sent = NullNetTakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].bytes, std::string("X") + std::string(999, '\0'));
}


TEST_F(TransportTest, PublishFollowsTheMode) {
  std::strcpy(ExchangeBuffer, "T00salut");
  PublishMessage();
  EXPECT_TRUE(TakeSent().empty());  // Solo
  HostGame();
  AdmitPeers(2);
  std::strcpy(ExchangeBuffer, "T00salut");
  PublishMessage();
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].to, 1);
  EXPECT_EQ(sent[1].to, 2);
  JoinGame();
  std::strcpy(ExchangeBuffer, "T99salut");
  PublishMessage();
  sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, 0);
}

// --- Receives ---

TEST_F(TransportTest, DatagramsAreTakenOneAtATimeInArrivalOrder) {
  HostGame();
  NullNetDeliverText(NullPeerAddress(3), "Cun");
  NullNetDeliver(NullPeerAddress(5), std::string());
  NullNetDeliverText(NullPeerAddress(4), "Cdeux");
  ASSERT_TRUE(ReceiveDatagram());
  EXPECT_STREQ(ExchangeBuffer, "Cun");
  EXPECT_EQ(SenderAddress.address, NullPeerAddress(3).address);
  EXPECT_EQ(NullNetWaiting(), 2);
  ASSERT_TRUE(ReceiveDatagram());  // the empty one is taken and does not hold up the next
  EXPECT_STREQ(ExchangeBuffer, "");
  EXPECT_EQ(SenderAddress.address, NullPeerAddress(5).address);
  ASSERT_TRUE(ReceiveDatagram());
  EXPECT_STREQ(ExchangeBuffer, "Cdeux");
  EXPECT_FALSE(ReceiveDatagram());
  EXPECT_EQ(SenderAddress.address, NullPeerAddress(4).address);
}

TEST_F(TransportTest, AShortDatagramIsNeverReadWithWhatAnEarlierOneLeft) {
  HostGame();
  std::memset(ExchangeBuffer, '7', ExchangeSize);
  NullNetDeliver(NullPeerAddress(1), "H01");  // three bytes, no terminator
  ASSERT_TRUE(ReceiveDatagram());
  EXPECT_STREQ(ExchangeBuffer, "H01");
  for (int i = 3; i < ExchangeSize; ++i) ASSERT_EQ(ExchangeBuffer[i], '\0') << i;
}

TEST_F(TransportTest, AFullOrLongerDatagramIsCutAndTerminatedInsideTheBuffer) {
  HostGame();
  NullNetDeliver(NullPeerAddress(1), std::string(1000, 'T'));
  NullNetDeliver(NullPeerAddress(1), std::string(1400, 'R'));
  ASSERT_TRUE(ReceiveDatagram());
  EXPECT_EQ(std::strlen(ExchangeBuffer), 999u);
  ASSERT_TRUE(ReceiveDatagram());
  EXPECT_EQ(std::string(ExchangeBuffer), std::string(999, 'R'));
  EXPECT_FALSE(ReceiveDatagram());
}

TEST_F(TransportTest, AfterCloseNetNothingIsSentOrReceived) {
  HostGame();
  AdmitPeers(1);
  CloseNet();
  NullNetDeliverText(NullPeerAddress(1), "T01x");
  EXPECT_FALSE(ReceiveDatagram());
  std::strcpy(ExchangeBuffer, "T00x");
  SendToClients(0);
  SendToPeer(1);
  EXPECT_TRUE(NullNetTakeSent().empty());
  CloseNet();  // a second close is harmless
  EXPECT_FALSE(NullNetSocketOpen());
}

// --- Create (F3) through its parameters dialog ---

// The confirmed dialog writes its settings file: the tests run in a scratch directory.
class CreateGameTest : public TransportTest {
 protected:
  void SetUp() override {
    TransportTest::SetUp();
    ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
    char dir[] = "/tmp/ploxen-net-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    scratch_ = dir;
    ASSERT_EQ(chdir(dir), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(home_), 0);
    std::filesystem::remove_all(scratch_);
  }
  static void Create(int button) {
    NullScriptNextDialog([button](DialogWindow* d) { NullPressButton(d, button); });
    StartGame(Server);
  }
  char home_[4096];
  std::string scratch_;
};

TEST_F(CreateGameTest, CreatingAfterJoiningTellsTheOldServerFirst) {
  JoinGame();
  FromServer(JoinReply(0, 0, 0, "NNN", {"Hote", "Ann", "Moi"}));
  NetAddress oldServer = PeerTable[0];
  Create(1);
  std::vector<NullDatagram> sent = NullNetTakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(std::memcmp(&sent[0].peer, &oldServer, sizeof oldServer), 0);
  EXPECT_EQ(sent[0].bytes.c_str(), std::string("D02"));
  EXPECT_EQ(GameMode, Server);
  EXPECT_EQ(MyIndex, 0);
  EXPECT_EQ(PortBytes(NullNetBoundAddress()), 5001);
  EXPECT_EQ(Line(1), "En attente des joueurs...");
  EXPECT_EQ(Colour(1), 0u);
  EXPECT_EQ(Line(0), "(Espace pour d\xE9marrer)");
  EXPECT_EQ(Colour(0), Green);
}


TEST_F(CreateGameTest, CancellingKeepsTheJoinedGame) {
  JoinGame();
  Create(2);
  EXPECT_TRUE(NullNetTakeSent().empty());
  EXPECT_EQ(GameMode, Client);
  EXPECT_TRUE(NullNetSocketOpen());
}
