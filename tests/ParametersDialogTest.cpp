// Dialog 103 and the opening rules on the headless back end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/TestMatch.h"

namespace {

class ParametersDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/ploxen-dialog-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    NullTakeErrorBoxes();
    NullTakeOpenedDialogs();
  }
  static std::string Settings() {
    std::ifstream in("Ploxen.ini");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static int Open(DialogScript script) {
    NullScriptNextDialog(std::move(script));
    return OpenDialog(GameParametersDialog, true);
  }
};

TEST_F(ParametersDialogTest, OpensWithTheStoredValuesSelected) {
  { std::ofstream("Ploxen.ini") << "[Jeu]\nNiveau=7\nHauteur=3\n"; }
  std::vector<std::string> levels, heights;
  std::string level;
  Open([&](DialogWindow* d) {
    levels = NullComboEntries(d, 1001);
    heights = NullComboEntries(d, 1002);
    level = NullItemText(d, 1001);
  });
  ASSERT_EQ(levels.size(), 21u);
  EXPECT_EQ(levels.back(), "20");
  ASSERT_EQ(heights.size(), 16u);
  EXPECT_EQ(heights.back(), "15");
  EXPECT_EQ(level, "7");
  EXPECT_EQ(Level, 7);
  EXPECT_EQ(StartHeight, 3);
}

TEST_F(ParametersDialogTest, OkStoresBothFieldsAsTyped) {
  int result = Open([](DialogWindow* d) {
    SetItemText(d, 1001, "12");
    SetItemText(d, 1002, "abc");  // letters read as 0 and are accepted
    NullPressButton(d, 1);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Level, 12);
  EXPECT_EQ(StartHeight, 0);
  EXPECT_NE(Settings().find("Niveau=12"), std::string::npos);
  EXPECT_NE(Settings().find("Hauteur=abc"), std::string::npos);
}

TEST_F(ParametersDialogTest, HeightOutOfRangeKeepsTheDialogOpenWithTheLevelStored) {
  bool stillOpen = false;
  int result = Open([&](DialogWindow* d) {
    SetItemText(d, 1001, "7");
    SetItemText(d, 1002, "20");
    NullPressButton(d, 1);
    stillOpen = NullItemText(d, 1002) == "20";
    NullPressButton(d, 2);
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(NullTakeErrorBoxes(),
            std::vector<std::string>{"La hauteur doit \xEAtre comprise entre 0 et 15."});
  EXPECT_EQ(Level, 7);
  EXPECT_NE(Settings().find("Niveau=7"), std::string::npos);
}

TEST_F(ParametersDialogTest, LevelOutOfRangeIsRefusedFirst) {
  Open([](DialogWindow* d) {
    SetItemText(d, 1001, "-1");
    SetItemText(d, 1002, "99");
    NullPressButton(d, 1);
  });
  EXPECT_EQ(NullTakeErrorBoxes(),
            std::vector<std::string>{"Le niveau doit \xEAtre compris entre 0 et 20."});
}

TEST_F(ParametersDialogTest, CancelDuringASoloMatchChangesNothingAndShowsThePlayfieldAgain) {
  StartTestMatch(9, 2, 4);
  const uint32_t* window = SurfacePixels(WindowSurface());
  int y = (DrawnPiece[0].row - 2) * 20 + 5, x = PlayfieldX + (DrawnPiece[0].col - 1) * 20 + 5;
  uint32_t shown = window[y * WindowWidth + x];
  bool blackWhileOpen = false;
  int result = Open([&](DialogWindow*) { blackWhileOpen = window[y * WindowWidth + x] == 0; });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(blackWhileOpen);
  EXPECT_EQ(window[y * WindowWidth + x], shown);
  EXPECT_EQ(MatchOver, 0);
}

TEST_F(ParametersDialogTest, SoloGameStartsOnlyOnOk) {
  StartTestMatch(9, 0, 0);
  Open([](DialogWindow* d) { NullPressButton(d, 2); });
  EXPECT_EQ(MatchOver, 0);
  NullScriptNextDialog([](DialogWindow* d) {
    SetItemText(d, 1001, "3");
    SetItemText(d, 1002, "2");
    NullPressButton(d, 1);
  });
  StartGame(Solo);
  EXPECT_EQ(MatchOver, 0);
  EXPECT_EQ(Level, 3);
  EXPECT_EQ(LocalEntry().height, 2);
  EXPECT_EQ(GameMode, Solo);
}

}  // namespace
