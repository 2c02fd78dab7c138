// Dialog 103: each field is checked and stored in turn; letters read as 0.
#include "game/Clearing.h"
#include "tests/DialogTestSupport.h"

namespace {

using ParametersDialogTest = DialogTest;

// The first OK stores the level and refuses the height, the dialog staying open;
// the second takes letters for the level as 0 and stores them as typed.
TEST_F(ParametersDialogTest, ARefusedHeightKeepsTheDialogOpenWithTheLevelStored) {
  std::string atRefusal;  // Level and the settings file
  int result = RunDialog(GameParametersDialog, [&](DialogWindow* d) {
    SetItemText(d, LevelField, "7");
    SetItemText(d, HeightField, "20");
    NullPressButton(d, DialogOk);
    atRefusal = std::to_string(Level) + " " + FileText("Ploxen.ini");
    SetItemText(d, LevelField, "sept");
    SetItemText(d, HeightField, "3");
    NullPressButton(d, DialogOk);
  });
  EXPECT_EQ(NullTakeErrorBoxes(),
            std::vector<std::string>{"La hauteur doit \xEAtre comprise entre 0 et 15."});
  EXPECT_EQ(atRefusal, "7 [Jeu]\nNiveau=7\nHauteur=0\n");
  EXPECT_EQ(result, DialogOk);
  EXPECT_EQ(Level, 0);
  EXPECT_EQ(StartHeight, 3);
  EXPECT_EQ(FileText("Ploxen.ini"), "[Jeu]\nNiveau=sept\nHauteur=3\n");
}

// Stored values out of range open the dialog on the nearest entries, which OK then stores.
TEST_F(ParametersDialogTest, OutOfRangeStoredValuesSelectTheNearestEntry) {
  WriteFile("Ploxen.ini", "[Jeu]\nNiveau=25\nHauteur=-3\n");
  std::string shown;
  RunDialog(GameParametersDialog, [&](DialogWindow* d) {
    shown = NullItemText(d, LevelField) + " " + NullItemText(d, HeightField);
    NullPressButton(d, DialogOk);
  });
  EXPECT_EQ(shown, "20 0");
  EXPECT_EQ(FileText("Ploxen.ini"), "[Jeu]\nNiveau=20\nHauteur=0\n");
}

// Level 20 and height 15 are the last entries OK takes; one more is refused.
TEST_F(ParametersDialogTest, TheLastEntriesAreTakenAndOneMoreIsRefused) {
  struct Bound { const char *level, *height; int result; };
  for (const Bound& b : {Bound{"20", "15", DialogOk}, {"21", "0", DialogCancel},
                         {"0", "16", DialogCancel}}) {
    int result = RunDialog(GameParametersDialog, [&](DialogWindow* d) {
      SetItemText(d, LevelField, b.level);
      SetItemText(d, HeightField, b.height);
      NullPressButton(d, DialogOk);
    });
    EXPECT_EQ(result, b.result) << b.level << " " << b.height;
  }
}

}  // namespace
