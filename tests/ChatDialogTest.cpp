// The opening rules of dialogs 104 to 107 and the chat line of dialog 104.
#include <gtest/gtest.h>

#include <string>

#include "display/MessageLog.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/Program.h"
#include "shell/ScoreTable.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullDialog.h"
#include "shell/platform/null/NullNet.h"
#include "tests/DialogTestSupport.h"
#include "tests/NetPeers.h"
#include "tests/TestMatch.h"

namespace {

constexpr int EnterKey = 28, F1Key = 59, F5Key = 63, F6Key = 64;
constexpr uint32_t Purple = 0x800080;

class DialogRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshDialogTest(); }
  // A Server with one admitted client and a match running.
  static void ServerMatch() {
    HostGame();
    AdmitPeers(1);
    RequestStart();
    GameTick();
    ASSERT_EQ(MatchOver, 0);
    TakeSent();
  }
  // The window pixel in the middle of the Piece's first cell.
  static uint32_t PiecePixel() {
    int x = PlayfieldX + (DrawnPiece[0].col - 1) * CellSize + 5;
    int y = (DrawnPiece[0].row - 2) * CellSize + 5;
    return SurfacePixels(WindowSurface())[y * WindowWidth + x];
  }
};

TEST_F(DialogRulesTest, EveryDialogIsModalInSoloAndHidesARunningMatch) {
  for (int key : {EnterKey, F1Key, F5Key, F6Key}) {
    StartTestMatch(5);
    PresentPlayfield();
    uint32_t shown = PiecePixel();
    ASSERT_NE(shown, 0u);
    bool hidden = false, modal = false;
    NullScriptNextDialog([&](DialogWindow*) {
      hidden = PiecePixel() == 0;
      modal = ModelessDialog == nullptr;
    });
    PressWindowKey(key);
    EXPECT_EQ(NullTakeOpenedDialogs().size(), 1u) << key;
    EXPECT_TRUE(hidden) << key;
    EXPECT_TRUE(modal) << key;
    EXPECT_EQ(PiecePixel(), shown) << key;
    EXPECT_EQ(MatchOver, 0) << key;
  }
}

TEST_F(DialogRulesTest, InANetworkGameTheDialogStaysOpenWhilePlayGoesOn) {
  ServerMatch();
  Message stale;
  while (TakeMessage(&stale)) {
  }
  PostMessage(MsgKeyDown, EnterKey);
  int exitCode = 0;
  ASSERT_TRUE(RunLoopPass(&exitCode));
  ASSERT_NE(ModelessDialog, nullptr);
  EXPECT_EQ(DialogTemplateId(ModelessDialog), ChatDialog);
  int row = DrawnPiece[0].row;
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(RunLoopPass(&exitCode));
  EXPECT_GT(DrawnPiece[0].row, row);
  EXPECT_NE(PiecePixel(), 0u);
  EXPECT_EQ(DialogTemplateId(ModelessDialog), ChatDialog);
}

TEST_F(DialogRulesTest, ASecondModelessDialogIsDroppedUntilTheFirstCloses) {
  HostGame();
  PressWindowKey(EnterKey);
  DialogWindow* chat = ModelessDialog;
  ASSERT_NE(chat, nullptr);
  NullTakeOpenedDialogs();
  PressWindowKey(F5Key);
  PressWindowKey(F6Key);
  EXPECT_TRUE(NullTakeOpenedDialogs().empty());
  EXPECT_EQ(ModelessDialog, chat);
  NullPressButton(chat, DialogCancel);
  EXPECT_EQ(ModelessDialog, nullptr);
  PressWindowKey(F5Key);
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{NetworkDialog});
  ASSERT_NE(ModelessDialog, nullptr);
  EXPECT_EQ(DialogTemplateId(ModelessDialog), NetworkDialog);
}

TEST_F(DialogRulesTest, MatchResultsDoNotOpenOverAnotherModelessDialog) {
  ServerMatch();
  PressWindowKey(EnterKey);
  DialogWindow* chat = ModelessDialog;
  NullTakeOpenedDialogs();
  FromPeer(1, "P01000100002");
  EXPECT_EQ(MatchOver, 1);
  EXPECT_TRUE(NullTakeOpenedDialogs().empty());
  EXPECT_EQ(ModelessDialog, chat);
}

class ChatTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshDialogTest(); }
  // Types a line into the open or next chat dialog and presses Enter.
  static void Chat(const std::string& text, int button = DialogOk) {
    auto type = [text, button](DialogWindow* d) {
      SetItemText(d, 1000, text.c_str());
      NullPressButton(d, button);
    };
    if (GameMode == Solo) {
      NullScriptNextDialog(type);
      PressWindowKey(EnterKey);
    } else {
      PressWindowKey(EnterKey);
      ASSERT_NE(ModelessDialog, nullptr);
      type(ModelessDialog);
    }
    EXPECT_EQ(ModelessDialog, nullptr);
  }
};

TEST_F(ChatTest, TheServerShowsItsLineInPurpleAndSendsItToEveryClient) {
  HostGame();
  AdmitPeers(2);
  Chat("Bonjour \xE0 tous");
  EXPECT_EQ(Line(0), "Moi : Bonjour \xE0 tous");
  EXPECT_EQ(Colour(0), Purple);
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].to, 1);
  EXPECT_EQ(sent[1].to, 2);
  EXPECT_EQ(sent[0].text, "T00Bonjour \xE0 tous");
  EXPECT_EQ(sent[1].text, sent[0].text);
}

TEST_F(ChatTest, ALongLineIsCutTo996Characters) {
  HostGame();
  AdmitPeers(1);
  Chat(std::string(996, 'a') + std::string(300, 'b'));
  std::vector<SentText> sent = TakeSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].text, "T00" + std::string(996, 'a'));
  EXPECT_EQ(Line(0), "Moi : " + std::string(996, 'a'));
}

TEST_F(ChatTest, AnEmptyLineOrCancelShowsAndSendsNothing) {
  HostGame();
  AdmitPeers(1);
  std::string before = Line(0);
  Chat("");
  Chat("pas envoy\xE9", DialogCancel);
  EXPECT_EQ(Line(0), before);
  EXPECT_TRUE(TakeSent().empty());
}

TEST_F(ChatTest, ASoloLineOnlyReachesTheLog) {
  Chat("tout seul");
  EXPECT_EQ(Line(0), "Moi : tout seul");
  EXPECT_EQ(Colour(0), Purple);
  EXPECT_TRUE(NullNetTakeSent().empty());
}

}  // namespace
