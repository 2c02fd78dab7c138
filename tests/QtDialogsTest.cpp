// The Qt dialog builder on the offscreen platform: each template's controls in its
// tab order, and the keyboard dialog's capture fed by real key events.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <string>

#include "game/Falling.h"
#include "resources/Resources.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Window.h"

namespace {

class QtDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = "/tmp/ploxen-qtdialogs-XXXXXX";  // for the settings file, anew at each repeat
    ASSERT_NE(mkdtemp(dir_.data()), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static char name[] = "test", *argv[] = {name, nullptr};
    PlatformStartup(1, argv);
    ASSERT_TRUE(CreateMainWindow(100, 100));
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }
  static inline std::string dir_;
};

// A key press, where the focus is unless a widget is named; native is the X key code the scan
// code comes from.
void Press(int key, unsigned native, QWidget* to = QApplication::focusWidget()) {
  QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, native, 0, 0);
  QApplication::sendEvent(to, &e);
}

// The focused control as "id=text".
std::string Focused(DialogWindow* d) {
  char text[64];
  GetItemText(d, FocusedItem(d), text, sizeof text);
  auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
  return std::to_string(FocusedItem(d)) + "=" + (button ? button->text().toStdString() : text);
}

// The title, every tab stop from the first control as "id=text" as Tab reaches it,
// then the texts of the labels; each control with an id is shown and given the text
// "#id" first, which buttons ignore.
std::string Describe(int id) {
  const DialogTemplate& t = *FindDialogTemplate(id);
  DialogWindow* d = CreateModelessDialog(t, [](DialogWindow*, DialogEvent, int) {});
  QApplication::processEvents();  // the new window becomes the active one
  for (int i = 0; i < t.count; ++i) {
    ShowItem(d, t.controls[i].id, true);
    SetItemText(d, t.controls[i].id, ("#" + std::to_string(t.controls[i].id)).c_str());
  }
  FocusItem(d, t.controls[0].id, false);
  QWidget* window = QApplication::focusWidget()->window();
  std::string out = window->windowTitle().toStdString() + ":";
  for (int first = FocusedItem(d), n = 0; n < 12; ++n) {
    out += " " + Focused(d);
    Press(Qt::Key_Tab, 23);
    if (FocusedItem(d) == first) break;
  }
  out += " |";
  for (QLabel* l : window->findChildren<QLabel*>()) out += " " + l->text().toStdString();
  DestroyDialog(d);
  return out;
}

// The search's button and list come after dialog 106's first five stops; the keyboard dialog
// starts at its buttons.
TEST_F(QtDialogsTest, TheNetworkAndKeyboardDialogsKeepTheirTabStopsInTemplateOrder) {
  EXPECT_EQ(Describe(106), "Configuration réseau: 1014=#1014 1015=#1015 1016=#1016 1=OK"
                           " 2=Annuler 1022=Rechercher 1023= | Pseudo : Serveur :"
                           " Nb. joueurs par partie :");
  EXPECT_EQ(Describe(107), "Configuration clavier: 1=OK 2=Annuler 1017=#1017 1018=#1018"
                           " 1019=#1019 1020=#1020 1021=#1021 | Aller à gauche : Aller à droite :"
                           " Descente rapide : Tourner à gauche : Tourner à droite :");
}

// X key codes: right Ctrl 105, A 38, Tab 23, Return 36, Escape 9.
TEST_F(QtDialogsTest, AKeyFieldTakesRightCtrlAtOnceEnterStoresAndEscapeKeepsTheStoredKeys) {
  LoadSettings();
  OpenDialog(KeyboardDialog, false);
  QApplication::processEvents();
  Press(Qt::Key_Control, 105);  // in the left key's field, which has the focus
  EXPECT_EQ(KeyLeft, 285);
  EXPECT_EQ(Focused(ModelessDialog), "1017=Ctrl droite");
  Press(Qt::Key_Tab, 23);
  Press(Qt::Key_Return, 36);  // OK, and no key for the right key's field
  EXPECT_EQ(ModelessDialog, nullptr);
  OpenDialog(KeyboardDialog, false);
  QApplication::processEvents();
  Press(Qt::Key_A, 38);
  EXPECT_EQ(KeyLeft, 30);
  Press(Qt::Key_Escape, 9);  // the reload reads what OK stored
  EXPECT_EQ(ModelessDialog, nullptr);
  EXPECT_EQ(KeyLeft, 285);
  EXPECT_EQ(KeyRight, 333);
}

// Released while its field has the focus, a dialog is gone for its controls at once, though Qt
// deletes them later: a key reaching the field meanwhile no longer calls the procedure.
TEST_F(QtDialogsTest, AReleasedDialogsControlsNoLongerReachItsProcedure) {
  static int keys;
  keys = 0;
  auto count = [](DialogWindow*, DialogEvent e, int) { keys += e == DialogKey; };
  DialogWindow* d = CreateModelessDialog(*FindDialogTemplate(ChatDialog), count);
  QApplication::processEvents();
  CaptureKeys(d, true);
  FocusItem(d, 1000, false);
  QWidget* field = QApplication::focusWidget();
  Press(Qt::Key_A, 38);
  DestroyDialog(d);
  Press(Qt::Key_B, 56, field);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(keys, 1);
}

// A modal dialog's loop hands the window procedure the program's own messages, the tune's end
// notice among them; a key press queued before it waits for the main loop.
TEST_F(QtDialogsTest, AModalLoopDeliversTheProgramsMessagesButNotItsKeys) {
  static std::string seen;
  seen.clear();
  SetModalProcedure([](const Message& m) { seen += std::to_string(m.kind) + " "; });
  Message m{};
  while (TakeMessage(&m)) continue;  // what start-up left
  PostMessage(MsgMusicNotice, 1);
  PostMessage(MsgKeyDown, 75);
  RunModalDialog(*FindDialogTemplate(ChatDialog), [](DialogWindow* d, DialogEvent e, int) {
    if (e == DialogInit) QTimer::singleShot(200, [d] { EndModalDialog(d, 2); });
  });
  SetModalProcedure(nullptr);
  EXPECT_TRUE(TakeMessage(&m) && m.kind == MsgKeyDown && m.a == 75);
  EXPECT_EQ(seen, std::to_string(MsgMusicNotice) + " ");
}

}  // namespace
