// Dialog 106: the checks of its OK in their order, what is stored, and the rename.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"
#include "shell/platform/null/NullNet.h"
#include "tests/DialogTestSupport.h"
#include "tests/NetPeers.h"

namespace {

const char* const MaxError = "Le maximum doit \xEAtre compris entre 1 et 8.";

class NetworkDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshDialogTest(); }
  static void Fill(DialogWindow* d, const char* alias, const char* server, const char* max) {
    SetItemText(d, 1014, alias);
    SetItemText(d, 1015, server);
    SetItemText(d, 1016, max);
  }
  // Fills the fields and presses OK; true when that closed the dialog.
  static bool Submit(const char* alias, const char* server, const char* max) {
    bool closed = false;
    auto fill = [&](DialogWindow* d) {
      Fill(d, alias, server, max);
      NullPressButton(d, DialogOk);
    };
    if (GameMode == Solo) {
      NullScriptNextDialog(fill);
      closed = OpenDialog(NetworkDialog, true) == DialogOk;
    } else {
      OpenDialog(NetworkDialog, false);
      fill(ModelessDialog);
      closed = ModelessDialog == nullptr;
      if (!closed) NullPressButton(ModelessDialog, DialogCancel);
    }
    return closed;
  }
  static bool Has(const std::string& line) {
    return FileText("Ploxen.ini").find(line) != std::string::npos;
  }
};

TEST_F(NetworkDialogTest, OpensWithTheStoredValuesAndTheAliasSelected) {
  std::strcpy(ServerName, "serveur.local");
  MaxPlayers = 4;
  NullScriptNextDialog([](DialogWindow* d) {
    EXPECT_EQ(NullItemText(d, 1014), "Moi");
    EXPECT_EQ(NullItemText(d, 1015), "serveur.local");
    EXPECT_EQ(NullComboEntries(d, 1016),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(NullItemText(d, 1016), "4");
    EXPECT_EQ(FocusedItem(d), 1014);
    EXPECT_TRUE(NullFocusSelectsAll(d));
  });
  EXPECT_EQ(OpenDialog(NetworkDialog, true), DialogCancel);
  EXPECT_EQ(MaxPlayers, 4);
  EXPECT_STREQ(ServerName, "serveur.local");
}

TEST_F(NetworkDialogTest, AMaximumOutsideOneToEightIsRefusedBeforeAnythingIsStored) {
  for (const char* max : {"0", "9", "-1", "abc", ""}) {
    EXPECT_FALSE(Submit("Autre", "ailleurs", max)) << max;
    EXPECT_EQ(NullTakeErrorBoxes(), std::vector<std::string>{MaxError}) << max;
  }
  EXPECT_EQ(MaxPlayers, 8);
  EXPECT_STREQ(ServerName, TestServerText);
  EXPECT_STREQ(Alias, "Moi");
  EXPECT_FALSE(Has("Max="));
  EXPECT_FALSE(Has("Serveur="));
}

TEST_F(NetworkDialogTest, AnEmptyAliasKeepsTheDialogOpenSilentlyWithMaxAndServerStored) {
  EXPECT_FALSE(Submit("    ", " autre.h\xF4te ", "3x"));
  EXPECT_TRUE(NullTakeErrorBoxes().empty());
  EXPECT_EQ(MaxPlayers, 3);
  EXPECT_TRUE(Has("Max=3x"));
  EXPECT_STREQ(ServerName, " autre.h\xF4te ");
  EXPECT_STREQ(Alias, "Moi");
  EXPECT_FALSE(Has("Alias="));
}

TEST_F(NetworkDialogTest, TheServerSendsARenameOnlyWhenTheTrimmedAliasChanged) {
  HostGame();
  AdmitPeers(2);
  EXPECT_TRUE(Submit("  Moi ", TestServerText, "8"));
  EXPECT_TRUE(TakeSent().empty());
  EXPECT_TRUE(Submit("  Nouveau nom ", TestServerText, "8"));
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].text, "R00Nouveau nom");
  EXPECT_EQ(sent[1].to, 2);
  EXPECT_STREQ(Alias, "Nouveau nom");
  EXPECT_STREQ(PlayerTable[0].name, "Nouveau nom");
  EXPECT_TRUE(Has("Alias=Nouveau nom"));
  EXPECT_TRUE(Submit("nouveau nom", TestServerText, "8"));  // case counts
  EXPECT_EQ(TakeSent().size(), 2u);
}

TEST_F(NetworkDialogTest, AClientRenamesItsOwnRow) {
  JoinGame();
  FromServer(JoinReply(0, 0, 7, "NN", {"Hote", "Moi"}));
  TakeSent();
  EXPECT_TRUE(Submit("Client", TestServerText, "8"));
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, 0);
  EXPECT_EQ(sent[0].text, "R01Client");
  EXPECT_STREQ(PlayerTable[1].name, "Client");
  EXPECT_STREQ(PlayerTable[0].name, "Hote");
}

TEST_F(NetworkDialogTest, ASoloRenameChangesTheLocalNameAndSendsNothing) {
  EXPECT_TRUE(Submit("Solitaire", "x", "2"));
  EXPECT_STREQ(LocalEntry().name, "Solitaire");
  EXPECT_TRUE(NullNetTakeSent().empty());
  EXPECT_EQ(MaxPlayers, 2);
  EXPECT_STREQ(ServerName, "x");
}

TEST_F(NetworkDialogTest, CancelChangesNothing) {
  NullScriptNextDialog([](DialogWindow* d) {
    SetItemText(d, 1014, "Autre");
    SetItemText(d, 1016, "3");
    NullPressButton(d, DialogCancel);
  });
  EXPECT_EQ(OpenDialog(NetworkDialog, true), DialogCancel);
  EXPECT_STREQ(Alias, "Moi");
  EXPECT_EQ(MaxPlayers, 8);
  EXPECT_EQ(FileText("Ploxen.ini"), "");
}

}  // namespace
