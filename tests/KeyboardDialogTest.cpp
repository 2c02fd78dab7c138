// Dialog 107: keys captured in the focused field, live at once, stored by OK only.
#include "game/Falling.h"
#include "shell/Settings.h"
#include "tests/DialogTestSupport.h"

namespace {

constexpr int RightCtrl = 285, KeyA = 30, KeyP = 25;

using KeyboardDialogTest = DialogTest;

TEST_F(KeyboardDialogTest, ACapturedKeyActsAtOnceOkStoresItCancelReloads) {
  LoadSettings();
  int leftWhileOpen = 0;
  RunDialog(KeyboardDialog, [&](DialogWindow* d) {
    NullPressKey(d, RightCtrl);  // the focus starts on the left key's field
    leftWhileOpen = KeyLeft;
    FocusItem(d, FirstKeyField + 3, false);  // rotate left
    NullPressKey(d, KeyA);
    NullPressButton(d, DialogOk);
  });
  EXPECT_EQ(leftWhileOpen, RightCtrl);
  for (const char* line : {"Gauche=285", "Droite=333", "Bas=336", "Rotg=30", "Rotd=328"})
    EXPECT_TRUE(Stored(line)) << line;
  RunDialog(KeyboardDialog, [](DialogWindow* d) {
    NullPressKey(d, KeyP);
    NullPressButton(d, DialogCancel);
  });
  EXPECT_EQ(KeyLeft, RightCtrl);
  EXPECT_EQ(KeyRotLeft, KeyA);
}

}  // namespace
