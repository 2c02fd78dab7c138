// Dialog 106: the checks of its OK, the rename, the search's list and choice, and F4 with a
// blank "Serveur".
#include <vector>

#include "tests/DialogTestSupport.h"

namespace {

enum { KeyF4 = 62 };

NetAddress At(uint8_t a, uint8_t b, uint8_t c, uint8_t d, int port) {
  NetAddress n{NetInternetFamily, 0, 0, {}};
  const uint8_t bytes[6] = {uint8_t(port >> 8), uint8_t(port), a, b, c, d};
  std::memcpy(&n.port, bytes, 6);  // the port and the address follow each other, network order
  return n;
}

void Answer(const NetAddress& from, std::string text) {
  text.resize(1000, '\0');
  NullSearchDeliver(from, text);
}

// Fills the fields and presses OK; true when that closed the dialog.
bool Submit(const char* alias, const char* server, const char* max) {
  return RunDialog(NetworkDialog, [=](DialogWindow* d) {
           SetItemText(d, AliasField, alias);
           SetItemText(d, ServerField, server);
           SetItemText(d, MaxField, max);
           NullPressButton(d, DialogOk);
         }) == DialogOk;
}

using NetworkDialogTest = DialogTest;

// A maximum of 9 is refused with a message before anything is stored; an empty alias is refused
// silently, with the maximum and the server stored.
TEST_F(NetworkDialogTest, AMaximumOf9AndAnEmptyAliasAreRefused) {
  EXPECT_FALSE(Submit("Autre", "ailleurs", "9"));
  EXPECT_EQ(NullTakeErrorBoxes(),
            std::vector<std::string>{"Le maximum doit \xEAtre compris entre 1 et 8."});
  EXPECT_EQ(MaxPlayers, 8);
  EXPECT_EQ(FileText("Ploxen.ini"), "");
  EXPECT_FALSE(Submit("    ", " autre ", "3"));
  EXPECT_TRUE(NullTakeErrorBoxes().empty());
  EXPECT_TRUE(Stored("Max=3") && Stored("Serveur= autre "));
  EXPECT_STREQ(Alias, "Moi");
}

TEST_F(NetworkDialogTest, AClientSendsARenameOfItsOwnRowOnlyWhenTheNameChanged) {
  StartGame(Client);
  NullNetDeliverText(PeerTable[0], "C010000007NN04Hote03Moi");  // the Server admits us
  GameTick();
  SentSummary();
  EXPECT_TRUE(Submit(" Moi  ", TestServerText, "8"));
  EXPECT_EQ(SentSummary(), "");
  EXPECT_TRUE(Submit("Client", TestServerText, "8"));
  EXPECT_EQ(SentSummary(), "0:R01Client\n");
}

// The queries go to loopback and the broadcast address on four ports; a game heard twice is
// listed once; the game chosen on another port is joined on that port.
TEST_F(NetworkDialogTest, RechercherListsEachGameOnceAndTheChoiceFillsServeurAndPort) {
  // This machine: 10.0.0.5 on a LAN whose broadcast address is 10.0.0.255.
  NullSearchSetInterfaces({{At(10, 0, 0, 5, 0).address, At(10, 0, 0, 255, 0).address}});
  Answer(At(10, 0, 0, 7, 5001), "APloxen03081Alice");
  Answer(At(127, 0, 0, 1, 5002), "APloxen01040Bob");
  Answer(At(127, 0, 0, 1, 5001), "APloxen01080Moi");
  Answer(At(10, 0, 0, 5, 5001), "APloxen01080Moi");
  std::vector<std::string> entries;
  std::string server;
  RunDialog(NetworkDialog, [&](DialogWindow* d) {
    NullPressButton(d, SearchButton);  // the answers are already on their way
    for (int i = 0; i < 50 && NullPendingTimer(d); ++i) NullFireTimer(d);
    entries = NullComboEntries(d, GameList);
    NullChooseEntry(d, GameList, 0);
    server = NullItemText(d, ServerField);
    NullChooseEntry(d, GameList, 1);
    NullPressButton(d, DialogOk);
  });
  std::vector<NullDatagram> sent = NullSearchTakeSent();
  ASSERT_EQ(sent.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    NetAddress to = i < 4 ? At(127, 0, 0, 1, 5001 + i) : At(10, 0, 0, 255, 4997 + i);
    EXPECT_EQ(std::memcmp(&sent[i].peer, &to, sizeof to), 0) << i;
    EXPECT_EQ(sent[i].bytes, std::string("QPloxen").append(993, '\0')) << i;
  }
  EXPECT_FALSE(NullSearchSocketOpen());
  EXPECT_EQ(entries, (std::vector<std::string>{"Alice  10.0.0.7  3/8  en cours",
                                               "Bob  127.0.0.1:5002  1/4  en attente",
                                               "Moi  127.0.0.1  1/8  en attente"}));
  EXPECT_EQ(server, "10.0.0.7");
  EXPECT_TRUE(Stored("Serveur=127.0.0.1") && Stored("Port=5002"));
  EXPECT_EQ(NetPort, 5002);
}

// Two answers or none open the list, whose empty line chooses nothing. F4 joining the only game
// that answers is played by e2e.discovery.
TEST_F(NetworkDialogTest, F4WithABlankServerOpensTheListUnlessOneGameAnswers) {
  std::strcpy(ServerName, " ");
  Answer(At(10, 0, 0, 7, 5001), "APloxen02080Alice");
  Answer(At(10, 0, 0, 8, 5001), "APloxen01021Bob");
  std::vector<std::string> entries[2];
  std::string server;
  for (auto& listed : entries) {
    NullScriptNextDialog([&](DialogWindow* d) {
      listed = NullComboEntries(d, GameList);
      NullChooseEntry(d, GameList, 0);
      server = NullItemText(d, ServerField);
    });
    PressWindowKey(KeyF4);
  }
  EXPECT_EQ(entries[0].size(), 2u);
  EXPECT_EQ(entries[1], std::vector<std::string>{"Aucune partie trouv\xE9" "e"});
  EXPECT_EQ(server, " ");
  EXPECT_EQ(NullTakeOpenedDialogs(), (std::vector<int>{NetworkDialog, NetworkDialog}));
  EXPECT_EQ(GameMode, Solo);
  EXPECT_EQ(SentSummary(), "");
}

}  // namespace
