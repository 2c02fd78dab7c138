// The Qt dialog builder on the offscreen platform: templates as widgets, Enter and
// Escape, key capture, the score table's operations, key names without an X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "resources/Resources.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/Window.h"

namespace {

struct Event {
  DialogEvent kind;
  int value;
  bool operator==(const Event&) const = default;
};

std::vector<Event> g_events;

void Record(DialogWindow*, DialogEvent e, int value) {
  if (e != DialogInit) g_events.push_back({e, value});
}

class QtDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    PlatformStartup(1, argv);
    ASSERT_TRUE(CreateMainWindow(100, 100));
  }
  void SetUp() override { g_events.clear(); }
  void TearDown() override {
    if (open_) DestroyDialog(open_);
    QApplication::processEvents();
  }
  // Builds a template as a modeless dialog and returns its Qt window.
  QDialog* Build(int id) {
    open_ = CreateModelessDialog(*FindDialogTemplate(id), Record);
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) return d;
    return nullptr;
  }
  static void Press(QWidget* to, int key, unsigned native = 0) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, native, 0, 0);
    QApplication::sendEvent(to, &e);
  }
  DialogWindow* open_ = nullptr;
};

TEST_F(QtDialogsTest, EveryTemplateFitsItsDialogAndEveryLabelItsText) {
  for (int id = 103; id <= 107; ++id) {
    QDialog* d = Build(id);
    ASSERT_NE(d, nullptr) << id;
    QRect inside = d->rect();
    for (QWidget* w : d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (qobject_cast<QComboBox*>(w)) continue;  // its list drops below the dialog
      EXPECT_TRUE(inside.contains(w->geometry())) << id << " " << w->metaObject()->className();
      if (auto* l = qobject_cast<QLabel*>(w)) {
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width())
            << id << " " << l->text().toStdString();
      }
    }
    DestroyDialog(open_);
    open_ = nullptr;
  }
}

TEST_F(QtDialogsTest, EnterAndEscapeInTheChatLineGiveOkAndCancel) {
  QDialog* d = Build(104);
  ASSERT_NE(d, nullptr);
  QLineEdit* line = d->findChild<QLineEdit*>();
  ASSERT_NE(line, nullptr);
  Press(line, Qt::Key_Return);
  Press(line, Qt::Key_Enter);
  Press(line, Qt::Key_Escape);
  EXPECT_EQ(g_events, (std::vector<Event>{{DialogCommand, 1}, {DialogCommand, 1},
                                          {DialogCommand, 2}}));
}

TEST_F(QtDialogsTest, CapturedKeysReachTheProcedureButTabEnterAndEscapePass) {
  QDialog* d = Build(107);
  ASSERT_NE(d, nullptr);
  CaptureKeys(open_, true);
  FocusItem(open_, 1018, false);
  QWidget* field = d->focusWidget();
  ASSERT_NE(field, nullptr);
  Press(field, Qt::Key_Control, 105);  // the right Ctrl key: evdev 97
  Press(field, Qt::Key_A, 38);
  Press(field, Qt::Key_Tab, 23);
  Press(field, Qt::Key_Return, 36);
  Press(field, Qt::Key_Escape, 9);
  CaptureKeys(open_, false);
  Press(field, Qt::Key_B, 56);
  EXPECT_EQ(g_events, (std::vector<Event>{{DialogKey, 285}, {DialogKey, 30},
                                          {DialogCommand, 1}, {DialogCommand, 2}}));
}

TEST_F(QtDialogsTest, TheScoreTableNameFieldComesUpOnItsLineUnderlinedLinesStay) {
  QDialog* d = Build(105);
  ASSERT_NE(d, nullptr);
  QLineEdit* field = d->findChild<QLineEdit*>();
  ASSERT_NE(field, nullptr);
  EXPECT_FALSE(field->isVisible());
  SetItemText(open_, 1006, "000123     004     ");
  QLabel* third = nullptr;
  for (QLabel* l : d->findChildren<QLabel*>())
    if (l->text() == "000123     004     ") third = l;
  ASSERT_NE(third, nullptr);
  PlaceItem(open_, 1006, 5, 40, 47, 10);
  PlaceItem(open_, 1003, 60, 40, 115, 10);
  ShowItem(open_, 1003, true);
  EXPECT_TRUE(field->isVisible());
  EXPECT_EQ(field->y(), third->y());
  EXPECT_LT(third->geometry().right(), field->x());
  UnderlineItem(open_, 1006);
  EXPECT_TRUE(third->font().underline());
}

TEST_F(QtDialogsTest, WithoutAnXServerCharacterKeysAreNamedAsOnAUsKeyboard) {
  struct Case {
    int keyCode;
    const char* name;
  };
  for (Case c : {Case{16, "Q"}, {30, "A"}, {44, "Z"}, {2, "1"}, {39, ";"}, {0x11D, "Ctrl droite"},
                 {29, "Ctrl"}, {0x148, "Haut"}, {57, "Espace"}, {28, "Entr\xE9" "e"}, {0, ""}}) {
    char name[32] = "?";
    KeyName(c.keyCode, name, sizeof name);
    EXPECT_STREQ(name, c.name) << c.keyCode;
  }
}

}  // namespace
