// Dialog 106: the checks of its OK in their order, what is stored, and the rename.
#include <vector>

#include "shell/Settings.h"
#include "tests/DialogTestSupport.h"

namespace {

using NetworkDialogTest = DialogTest;

// Fills the fields and presses OK; true when that closed the dialog.
bool Submit(const char* alias, const char* server, const char* max) {
  return RunDialog(NetworkDialog, [=](DialogWindow* d) {
           SetItemText(d, AliasField, alias);
           SetItemText(d, ServerField, server);
           SetItemText(d, MaxField, max);
           NullPressButton(d, DialogOk);
         }) == DialogOk;
}

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
  JoinGame();
  FromServer("C010000007NN04Hote03Moi");
  SentSummary();
  EXPECT_TRUE(Submit(" Moi  ", TestServerText, "8"));
  EXPECT_EQ(SentSummary(), "");
  EXPECT_TRUE(Submit("Client", TestServerText, "8"));
  EXPECT_EQ(SentSummary(), "0:R01Client\n");
}

}  // namespace
