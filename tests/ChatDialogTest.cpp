// The opening rules of the dialogs, the Solo chat line of dialog 104 and the checks of dialog
// 103. A network chat line reaching the other players is played by e2e.network.
#include "display/Playfield.h"
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

// Modal: the script runs inside the opening, so no GameTick can run until it ends. A Solo chat
// line goes to the log in purple and nowhere else.
TEST_F(DialogRulesTest, InSoloEveryDialogIsModalAndHidesARunningMatch) {
  for (int key : {F1Key, F5Key, F6Key, EnterKey}) {
    StartTestMatch(5);
    PresentPlayfield();
    uint32_t shown = PiecePixel(), whileOpen = shown;
    ASSERT_NE(shown, 0u);
    NullScriptNextDialog([&](DialogWindow* d) {
      whileOpen = PiecePixel();
      if (key != EnterKey) return;
      SetItemText(d, 1000, "tout seul");
      NullPressButton(d, DialogOk);
    });
    PressWindowKey(key);
    EXPECT_EQ(whileOpen, 0u) << key;  // and so the dialog was modal
    EXPECT_EQ(PiecePixel(), shown) << key;
  }
  EXPECT_EQ(MessageLine(0), std::string(Alias) + " : tout seul");  // F5 and F6 reread Alias
  EXPECT_EQ(MessageColour(0), 0x800080u);
  EXPECT_EQ(SentSummary(), "");
}

// Stored values out of range open dialog 103 on the nearest entries. It checks and stores each
// field in turn, letters reading as 0: the level is stored when the height is refused, the
// dialog staying open. Level 20 and height 15 are the last entries OK takes.
TEST_F(DialogRulesTest, ARefusedHeightKeepsTheDialogOpenWithTheLevelStored) {
  WriteFile("Ploxen.ini", "[Jeu]\nNiveau=25\nHauteur=-3\n");
  std::string shown, atRefusal;  // the fields at opening; Level and the file at the refusal
  int result = RunDialog(GameParametersDialog, [&](DialogWindow* d) {
    shown = NullItemText(d, LevelField) + " " + NullItemText(d, HeightField);
    SetItemText(d, LevelField, "7");
    SetItemText(d, HeightField, "16");
    NullPressButton(d, DialogOk);
    atRefusal = std::to_string(Level) + " " + FileText("Ploxen.ini");
    SetItemText(d, LevelField, "sept");
    SetItemText(d, HeightField, "3");
    NullPressButton(d, DialogOk);
  });
  EXPECT_EQ(shown, "20 0");
  EXPECT_EQ(NullTakeErrorBoxes(),
            std::vector<std::string>{"La hauteur doit \xEAtre comprise entre 0 et 15."});
  EXPECT_EQ(atRefusal, "7 [Jeu]\nNiveau=7\nHauteur=-3\n");
  EXPECT_EQ(result, DialogOk);
  EXPECT_EQ(std::pair(Level, StartHeight), std::pair(0, 3));
  EXPECT_EQ(FileText("Ploxen.ini"), "[Jeu]\nNiveau=sept\nHauteur=3\n");
  const struct {
    const char *level, *height;
    int result;
  } limits[] = {{"20", "15", DialogOk}, {"21", "0", DialogCancel}};
  for (const auto& limit : limits) {
    EXPECT_EQ(RunDialog(GameParametersDialog, [&](DialogWindow* d) {
                SetItemText(d, LevelField, limit.level);
                SetItemText(d, HeightField, limit.height);
                NullPressButton(d, DialogOk);
              }),
              limit.result) << limit.level;
  }
}

}  // namespace
