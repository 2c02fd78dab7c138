// The Qt back end, offscreen: key codes, the program's own key repeat,
// the menu bar, and what reaches the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "display/Panels.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/KeyNames.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/qt/QtBackend.h"

class QtBackendTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    PlatformStartup(1, argv);
    ConnectLayers();  // the rules keep the back end's time, as in the program
    ASSERT_TRUE(CreateMainWindow(100, 100));
  }
  void SetUp() override {  // the keyboard at the game's view, as after a click on it
    Frame()->centralWidget()->setFocus();
    Frame()->activateWindow();
    QApplication::processEvents();
  }
  static QMainWindow* Frame() { return static_cast<QMainWindow*>(MainWindowWidget()); }
  static void Send(QEvent::Type type, int key, unsigned native, bool autoRepeat = false) {
    QKeyEvent e(type, key, Qt::NoModifier, native, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(Frame()->centralWidget(), &e);
  }
  // A key pressed and let go as the window system delivers it: the shortcut check,
  // then the press and the release, each to whatever has the keyboard then.
  static void Tap(int key, unsigned native, Qt::KeyboardModifiers held = Qt::NoModifier) {
    for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent e(type, key, type == QEvent::KeyRelease ? Qt::NoModifier : held, native, 0, 0);
      QApplication::sendEvent(Keyboard(), &e);
    }
  }
  static QWidget* Keyboard() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup ? popup : Frame()->focusWidget() ? Frame()->focusWidget() : Frame();
  }
  // Pulls down a popup of the menu bar with the mouse.
  static void PullDown(int popup) {
    QMenuBar* bar = Frame()->menuBar();
    QPoint at = bar->actionGeometry(bar->actions()[popup]).center();
    QMouseEvent click(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &click);
  }
  // The key messages of the next ms milliseconds: "D<code> " for a press, "U<code> " a release.
  static std::string Keys(int ms) {
    std::string keys;
    const uint32_t end = TickCount() + ms;
    for (Message m; int32_t(TickCount() - end) < 0;)
      if (WaitMessage(&m, 5) && (m.kind == MsgKeyDown || m.kind == MsgKeyUp))
        keys += (m.kind == MsgKeyDown ? "D" : "U") + std::to_string(m.a) + ' ';
    return keys;
  }
};

// Set 1 codes from the X key codes of a PC keyboard, the extended block included, and from Qt's
// keys where one is given; and the names of the two keys that share scan code 0x45.
TEST_F(QtBackendTest, KeysHaveTheirSetOneCodesFromNativeCodesAndFromQtKeys) {
  const struct { unsigned native; int key, code; } cases[] = {
      {113, Qt::Key_Left, 331}, {114, Qt::Key_Right, 333}, {116, Qt::Key_Down, 336},
      {37, Qt::Key_Control, 29}, {111, Qt::Key_Up, 328}, {104, Qt::Key_Enter, 284},
      {77, Qt::Key_NumLock, 325}, {127, Qt::Key_Pause, 69}, {118, 0, 0x152}, {119, 0, 0x153},
      {110, 0, 0x147}, {115, 0, 0x14F}, {112, 0, 0x149}, {117, 0, 0x151}, {106, 0, 0x135},
      {108, 0, 0x138}, {105, 0, 0x11D}, {133, 0, 0x15B}, {134, 0, 0x15C}, {135, 0, 0x15D},
      {107, 0, 0x137}, {78, 0, 0x46}};
  for (const auto& c : cases) {
    EXPECT_EQ(KeyCodeFromNative(c.native), c.code) << "native " << c.native;
    if (c.key) {
      EXPECT_EQ(KeyCodeFromQtKey(c.key), c.code) << "native " << c.native;
    }
  }
  char numLock[32], pause[32];
  KeyName(KeyCodeFromNative(77), numLock, sizeof numLock);
  KeyName(KeyCodeFromNative(127), pause, sizeof pause);
  EXPECT_EQ(std::string(numLock) + "/" + pause, "Verr.num/Pause");
}

// A menu closed by Escape, and Alt tapped alone, leave the next key to the game.
TEST_F(QtBackendTest, AClosedMenuAndALoneAltLeaveTheKeysToTheGame) {
  PullDown(1);
  ASSERT_TRUE(MenuPulledDown());
  Tap(Qt::Key_Escape, 9);
  EXPECT_FALSE(MenuPulledDown());
  Tap(Qt::Key_Left, 113);
  Tap(Qt::Key_Alt, 64, Qt::AltModifier);
  Tap(Qt::Key_Left, 113);
  EXPECT_EQ(Keys(100), "U1 D331 U331 D56 U56 D331 U331 ");
}

// The menu's popup stands for a loop of its own: the Piece stays put while it is down,
// and the step it missed is not made up when it closes.
TEST_F(QtBackendTest, NoGameTickRunsUnderAPulledDownMenu) {
  CreatePanelSurfaces();
  MusicOn = SoundOn = 0, StartHeight = 0, Level = 0;  // a step a second
  ResetGame(true, Solo);
  ResetGame(false);
  StartMatch();
  std::vector<int> rows = {DrawnPiece[0].row};
  PullDown(0);
  ASSERT_TRUE(MenuPulledDown());
  QTimer::singleShot(1200, [&rows] {
    rows.push_back(DrawnPiece[0].row);
    QApplication::activePopupWidget()->close();
  });
  QTimer::singleShot(1700, [&rows] {
    rows.push_back(DrawnPiece[0].row);
    PostMessage(MsgQuit);
  });
  int code = 0;
  while (RunLoopPass(&code)) continue;
  MatchOver = 1;
  Frame()->activateWindow();
  EXPECT_EQ(rows, std::vector<int>(3, rows[0])) << "at the start, under the menu, after it";
}

// A frame followed by a pause is on the screen for the whole pause, not after it.
TEST_F(QtBackendTest, WhatIsDrawnBeforeAPauseIsOnTheScreenDuringIt) {
  for (uint32_t colour : {0x0000FFu, 0x00FF00u}) {  // 0x00BBGGRR
    DrawTools old = SurfaceSelectTools(WindowSurface(), {colour, colour});
    SurfaceRectangle(WindowSurface(), 300, 300, 340, 340);
    SurfaceSelectTools(WindowSurface(), old);
    SleepMs(1);
    QPoint at = Frame()->centralWidget()->mapTo(Frame(), QPoint(320, 320));
    QImage shot = Frame()->screen()->grabWindow(Frame()->winId()).toImage();
    EXPECT_EQ(shot.pixel(at) & 0xFFFFFF, colour == 0xFF ? 0xFF0000u : 0x00FF00u);
  }
}

// The system's own repeat, release/press pairs, is ignored: the program's timer repeats instead,
// but not F8 held up by the program for longer than the repeat delay, its release queued
// meanwhile: one press, one release.
TEST_F(QtBackendTest, AHeldKeyRepeatsByTheProgramsOwnTimerButNotOneReleasedWhileBusy) {
  for (int i = 0; i < 11; ++i)  // a press, then five pairs of the system's repeat
    Send(i % 2 ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_Left, 113, i > 0);
  std::string held = Keys(250 + 33 * 6 + 20);
  Send(QEvent::KeyRelease, Qt::Key_Left, 113);
  // The press, then one at 250 ms and every 33 ms after: about eight, timing allowing.
  EXPECT_TRUE(std::regex_match(held, std::regex("(D331 ){5,9}"))) << held;
  EXPECT_EQ(Keys(150), "U331 ") << "the release stops the repeat";
  Send(QEvent::KeyPress, Qt::Key_F8, 74);
  SleepMs(300);
  QTimer::singleShot(1, [] { Send(QEvent::KeyRelease, Qt::Key_F8, 74); });  // input read later
  SleepMs(5);
  EXPECT_EQ(Keys(150), "D66 U66 ");
}
