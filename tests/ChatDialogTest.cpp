// The opening rules of the dialogs and the chat line of dialog 104.
#include "display/Playfield.h"
#include "game/Board.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"
#include "tests/DialogTestSupport.h"
#include "tests/TestMatch.h"

namespace {

constexpr int EnterKey = 28, F1Key = 59, F5Key = 63, F6Key = 64;

using DialogRulesTest = DialogTest;

// The window pixel in the middle of the Piece's first cell.
uint32_t PiecePixel() {
  int x = PlayfieldX + (DrawnPiece[0].col - 1) * CellSize + 5;
  return SurfacePixels(WindowSurface())[((DrawnPiece[0].row - 2) * CellSize + 5) * WindowWidth + x];
}

// Modal: the script runs inside the opening, so no GameTick can run until it ends.
TEST_F(DialogRulesTest, InSoloEveryDialogIsModalAndHidesARunningMatch) {
  for (int key : {EnterKey, F1Key, F5Key, F6Key}) {
    StartTestMatch(5);
    PresentPlayfield();
    uint32_t shown = PiecePixel(), whileOpen = shown;
    ASSERT_NE(shown, 0u);
    NullScriptNextDialog([&](DialogWindow*) { whileOpen = PiecePixel(); });
    PressWindowKey(key);
    EXPECT_EQ(whileOpen, 0u) << key;  // and so the dialog was modal
    EXPECT_EQ(PiecePixel(), shown) << key;
  }
}

TEST_F(DialogRulesTest, ASoloChatLineShowsInPurpleAndGoesNowhere) {
  NullScriptNextDialog([](DialogWindow* d) {
    SetItemText(d, 1000, "tout seul");
    NullPressButton(d, DialogOk);
  });
  PressWindowKey(EnterKey);
  EXPECT_STREQ(MessageLine(0), "Moi : tout seul");
  EXPECT_EQ(MessageColour(0), 0x800080u);
  EXPECT_EQ(SentSummary(), "");
}

// The chat dialog of a network game is modeless: F5 is dropped until it closes.
TEST_F(DialogRulesTest, ANetworkChatHoldsOffF5AndSendsItsLineCutTo996Bytes) {
  HostGame(2);
  PressWindowKey(EnterKey);
  PressWindowKey(F5Key);
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{ChatDialog});
  ASSERT_NE(ModelessDialog, nullptr);
  std::string kept(996, 'a');
  SetItemText(ModelessDialog, 1000, (kept + "bbb").c_str());
  NullPressButton(ModelessDialog, DialogOk);
  EXPECT_EQ(SentSummary(), "1:T00" + kept + "\n2:T00" + kept + "\n");
  PressWindowKey(F5Key);
  ASSERT_NE(ModelessDialog, nullptr);
  EXPECT_EQ(DialogTemplateId(ModelessDialog), NetworkDialog);
}

}  // namespace
