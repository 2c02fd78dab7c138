// Dialog 106's search and F4 with a blank "Serveur": the list, the choice, what OK stores, the join.
#include <cstring>
#include <vector>

#include "net/Discovery.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullNet.h"
#include "shell/platform/null/NullNetSearch.h"
#include "tests/DialogTestSupport.h"

namespace {

enum { KeyF4 = 62 };

NetAddress At(int a, int b, int c, int d, int port) {
  NetAddress n{};
  n.family = NetInternetFamily;
  const uint8_t bytes[6] = {uint8_t(port >> 8), uint8_t(port & 0xFF), uint8_t(a), uint8_t(b),
                            uint8_t(c), uint8_t(d)};
  std::memcpy(&n.port, bytes, 2);
  std::memcpy(&n.address, bytes + 2, 4);
  return n;
}

void Answer(const NetAddress& from, const std::string& text) {
  std::string bytes = text;
  bytes.resize(1000, '\0');
  NullSearchDeliver(from, bytes);
}

// Presses "Rechercher" with the answers already on their way, then lets the search run out.
void SearchIn(DialogWindow* d) {
  NullPressButton(d, SearchButton);
  for (int i = 0; i < 50 && NullPendingTimer(d); ++i) NullFireTimer(d);
}

class DiscoveryDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    UseSearchInterfaces(nullptr, -1);
    // This machine: 10.0.0.5 on a LAN whose broadcast address is 10.0.0.255.
    NullSearchSetInterfaces({{At(10, 0, 0, 5, 0).address, At(10, 0, 0, 255, 0).address}});
  }
};

TEST_F(DiscoveryDialogTest, RechercherAsksLoopbackAndTheBroadcastAddressOnTheFourPorts) {
  RunDialog(NetworkDialog, [](DialogWindow* d) { SearchIn(d); });
  std::vector<std::string> sent;
  for (const NullDatagram& q : NullSearchTakeSent()) {
    const uint8_t* a = reinterpret_cast<const uint8_t*>(&q.peer.address);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&q.peer.port);
    EXPECT_EQ(q.bytes.size(), 1000u);
    sent.push_back(std::to_string(a[0]) + "." + std::to_string(a[3]) + ":" +
                   std::to_string(p[0] << 8 | p[1]) + " " + q.bytes.c_str());
  }
  EXPECT_EQ(sent, (std::vector<std::string>{
                      "127.1:5001 QPloxen", "127.1:5002 QPloxen", "127.1:5003 QPloxen",
                      "127.1:5004 QPloxen", "10.255:5001 QPloxen", "10.255:5002 QPloxen",
                      "10.255:5003 QPloxen", "10.255:5004 QPloxen"}));
  EXPECT_FALSE(NullSearchSocketOpen());
}

TEST_F(DiscoveryDialogTest, TheListShowsEachGameOnceAndChoosingOneFillsServeur) {
  Answer(At(10, 0, 0, 7, 5001), "APloxen03081Alice");
  Answer(At(127, 0, 0, 1, 5002), "APloxen01040Bob");
  // This machine's own game answers on loopback and by its LAN address: one entry.
  Answer(At(127, 0, 0, 1, 5001), "APloxen01080Moi");
  Answer(At(10, 0, 0, 5, 5001), "APloxen01080Moi");
  std::vector<std::string> entries;
  std::string server;
  RunDialog(NetworkDialog, [&](DialogWindow* d) {
    SearchIn(d);
    entries = NullComboEntries(d, GameList);
    NullChooseEntry(d, GameList, 0);
    server = NullItemText(d, ServerField);
    NullChooseEntry(d, GameList, 1);
    NullPressButton(d, DialogOk);
  });
  EXPECT_EQ(entries, (std::vector<std::string>{"Alice  10.0.0.7  3/8  en cours",
                                               "Bob  127.0.0.1:5002  1/4  en attente",
                                               "Moi  127.0.0.1  1/8  en attente"}));
  EXPECT_EQ(server, "10.0.0.7");
  // The game on the second port is joined on that port.
  EXPECT_TRUE(Stored("Serveur=127.0.0.1") && Stored("Port=5002"));
  EXPECT_EQ(NetPort, 5002);
}

TEST_F(DiscoveryDialogTest, WithNoAnswerTheListSaysSoAndCancelKeepsEverything) {
  std::vector<std::string> entries;
  std::string server;
  RunDialog(NetworkDialog, [&](DialogWindow* d) {
    SearchIn(d);
    entries = NullComboEntries(d, GameList);
    NullChooseEntry(d, GameList, 0);
    server = NullItemText(d, ServerField);
    NullPressButton(d, DialogCancel);
  });
  EXPECT_EQ(entries, std::vector<std::string>{"Aucune partie trouv\xE9" "e"});
  EXPECT_EQ(server, TestServerText);
  EXPECT_EQ(FileText("Ploxen.ini"), "");
}

TEST_F(DiscoveryDialogTest, AServerTypedOverTheChoiceKeepsThePort) {
  Answer(At(127, 0, 0, 1, 5003), "APloxen01040Bob");
  RunDialog(NetworkDialog, [](DialogWindow* d) {
    SearchIn(d);
    NullChooseEntry(d, GameList, 0);
    SetItemText(d, ServerField, "10.0.0.9");
    NullPressButton(d, DialogOk);
  });
  EXPECT_TRUE(Stored("Serveur=10.0.0.9"));
  EXPECT_EQ(NetPort, 5001);
}

TEST_F(DiscoveryDialogTest, F4WithABlankServerJoinsTheOnlyGameThatAnswers) {
  std::strcpy(ServerName, " ");
  Answer(At(10, 0, 0, 7, 5002), "APloxen02080Alice");
  PressWindowKey(KeyF4);
  EXPECT_EQ(GameMode, Client);
  EXPECT_STREQ(ServerName, "10.0.0.7");
  EXPECT_EQ(NetPort, 5002);
  EXPECT_EQ(SentSummary(), "7:CMoi\n");
  EXPECT_TRUE(NullTakeOpenedDialogs().empty());
}

TEST_F(DiscoveryDialogTest, F4WithABlankServerOpensTheListWhenTwoOrNoneAnswer) {
  std::strcpy(ServerName, "");
  Answer(At(10, 0, 0, 7, 5001), "APloxen02080Alice");
  Answer(At(10, 0, 0, 8, 5001), "APloxen01021Bob");
  std::vector<std::string> entries;
  NullScriptNextDialog([&](DialogWindow* d) { entries = NullComboEntries(d, GameList); });
  PressWindowKey(KeyF4);
  EXPECT_EQ(entries, (std::vector<std::string>{"Alice  10.0.0.7  2/8  en attente",
                                               "Bob  10.0.0.8  1/2  en cours"}));
  NullScriptNextDialog([&](DialogWindow* d) { entries = NullComboEntries(d, GameList); });
  PressWindowKey(KeyF4);
  EXPECT_EQ(entries, std::vector<std::string>{"Aucune partie trouv\xE9" "e"});
  EXPECT_EQ(NullTakeOpenedDialogs(), (std::vector<int>{NetworkDialog, NetworkDialog}));
  EXPECT_EQ(GameMode, Solo);
  EXPECT_EQ(SentSummary(), "");
}

TEST_F(DiscoveryDialogTest, F4WithAServerSetJoinsItWithoutSearching) {
  PressWindowKey(KeyF4);
  EXPECT_EQ(GameMode, Client);
  EXPECT_TRUE(NullSearchTakeSent().empty());
  EXPECT_EQ(SentSummary(), "0:CMoi\n");
}

}  // namespace
