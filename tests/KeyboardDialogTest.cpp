// Dialog 107: keys captured in the focused field, live at once, stored by OK only.
#include <gtest/gtest.h>

#include <string>

#include "game/Board.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/DialogTestSupport.h"
#include "tests/NetPeers.h"
#include "tests/TestMatch.h"

namespace {

constexpr int RightCtrl = 285, KeyA = 30, KeyP = 25;

class KeyboardDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreshDialogTest();
    LoadSettings();
  }
  static std::vector<std::string> Names(DialogWindow* d) {
    std::vector<std::string> names;
    for (int id = 1017; id <= 1021; ++id) names.push_back(NullItemText(d, id));
    return names;
  }
  static int Open(DialogScript script) {
    NullScriptNextDialog(std::move(script));
    return OpenDialog(KeyboardDialog, true);
  }
};

TEST_F(KeyboardDialogTest, OpensWithTheNamesOfTheDefaultKeysAndTheFocusOnTheFirst) {
  std::vector<std::string> names;
  int focus = 0;
  Open([&](DialogWindow* d) {
    names = Names(d);
    focus = FocusedItem(d);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Gauche", "Droite", "Bas", "Ctrl", "Haut"}));
  EXPECT_EQ(focus, 1017);
}

TEST_F(KeyboardDialogTest, AKeyGoesToTheFocusedFieldAtOnceAndOkStoresAllFive) {
  int leftWhileOpen = 0;
  std::vector<std::string> names;
  int result = Open([&](DialogWindow* d) {
    NullPressKey(d, RightCtrl);
    leftWhileOpen = KeyLeft;
    FocusItem(d, 1020, false);
    NullPressKey(d, KeyA);
    FocusItem(d, 1, false);  // OK has the focus: no field takes the key
    NullPressKey(d, KeyP);
    names = Names(d);
    NullPressButton(d, DialogOk);
  });
  EXPECT_EQ(result, DialogOk);
  EXPECT_EQ(leftWhileOpen, RightCtrl);
  EXPECT_EQ(names, (std::vector<std::string>{"Ctrl droite", "Droite", "Bas", "A", "Haut"}));
  EXPECT_EQ(KeyLeft, RightCtrl);
  EXPECT_EQ(KeyRotLeft, KeyA);
  std::string ini = FileText("Ploxen.ini");
  EXPECT_NE(ini.find("Gauche=285"), std::string::npos);
  EXPECT_NE(ini.find("Rotg=30"), std::string::npos);
  EXPECT_NE(ini.find("Rotd=328"), std::string::npos);
}

TEST_F(KeyboardDialogTest, CancelBringsBackTheStoredKeys) {
  WriteSettingInt("Clavier", "Bas", 31);
  LoadSettings();
  int result = Open([](DialogWindow* d) {
    NullPressKey(d, RightCtrl);
    FocusItem(d, 1019, false);
    NullPressKey(d, KeyA);
    NullPressButton(d, DialogCancel);
  });
  EXPECT_EQ(result, DialogCancel);
  EXPECT_EQ(KeyLeft, 331);
  EXPECT_EQ(KeyDown, 31);
  EXPECT_EQ(FileText("Ploxen.ini").find("Gauche=285"), std::string::npos);
}

TEST_F(KeyboardDialogTest, InANetworkGameTheNewKeyMovesThePieceWhileTheDialogIsOpen) {
  HostGame();
  RequestStart();
  GameTick();
  ASSERT_EQ(MatchOver, 0);
  OpenDialog(KeyboardDialog, false);
  ASSERT_NE(ModelessDialog, nullptr);
  NullPressKey(ModelessDialog, KeyA);
  CellList before = Cells(DrawnPiece);
  GameKeyDown(KeyA);
  CellList after = Cells(DrawnPiece);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[0].first, before[0].first - 1);
  NullPressButton(ModelessDialog, DialogCancel);
  EXPECT_EQ(ModelessDialog, nullptr);
  EXPECT_EQ(KeyLeft, 331);
}

}  // namespace
