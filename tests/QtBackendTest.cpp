// The Qt back end on the offscreen platform: text placement, key codes, the program's own key repeat.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMainWindow>

#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/qt/QtBackend.h"

namespace {

class QtBackendTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    PlatformStartup(1, argv);
    ASSERT_TRUE(CreateMainWindow(100, 100));
  }
  static void Drain() {
    Message m;
    while (TakeMessage(&m)) {
    }
  }
  static QWidget* Area() { return static_cast<QMainWindow*>(MainWindowWidget())->centralWidget(); }
  static void Send(QEvent::Type type, int key, unsigned native, bool autoRepeat) {
    QKeyEvent e(type, key, Qt::NoModifier, native, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(Area(), &e);
  }
  static std::vector<Message> Collect(int ms) {
    std::vector<Message> out;
    QElapsedTimer t;
    t.start();
    Message m;
    while (t.elapsed() < ms)
      if (WaitMessage(&m, 5)) out.push_back(m);
    while (TakeMessage(&m)) out.push_back(m);
    return out;
  }
  static int Count(const std::vector<Message>& ms, MessageKind k) {
    int n = 0;
    for (const Message& m : ms) n += m.kind == k;
    return n;
  }
};

TEST_F(QtBackendTest, WrappedTextLandsInsideItsRectangle) {
  Surface* s = CreateSurface(180, 100);
  DrawTools white{0xFFFFFF, 0xFFFFFF};
  SurfaceSelectTools(s, white);
  SurfaceRectangle(s, 0, 0, 180, 100);
  SurfaceSelectFont(s, LogFont);
  SurfaceTextColour(s, 0x000000);
  const char* text = "Une ligne assez longue pour passer \xE0 la ligne suivante";
  TextRect r = SurfaceMeasureText(s, {2, 0, 174, 16}, text);
  EXPECT_EQ(r.bottom % 16, 0);
  EXPECT_GE(r.bottom, 32) << "wider than 172 pixels: two lines at least";
  EXPECT_LE(r.right, 174);
  SurfaceDrawText(s, r, text);
  const uint32_t* px = SurfacePixels(s);
  int inked = 0, outside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 180; ++x) {
      if (px[y * 180 + x] == 0xFFFFFF) continue;
      ++inked;
      outside += x < r.left || x >= r.right || y < r.top || y >= r.bottom;
    }
  EXPECT_GT(inked, 100);
  EXPECT_EQ(outside, 0);
  DeleteSurface(s);
}

TEST_F(QtBackendTest, LogFontKeepsAboutTwentyEightCharactersAcrossTheLog) {
  Surface* s = CreateSurface(180, 40);
  SurfaceSelectFont(s, LogFont);
  TextRect r = SurfaceMeasureText(s, {2, 0, 174, 16}, "Abcdefghij klmnopqrst uvwxyzabcd");
  EXPECT_EQ(r.bottom, 32) << "32 characters need a second line";
  r = SurfaceMeasureText(s, {2, 0, 174, 16}, "Abcdefghij klmnopqrst uvwx");
  EXPECT_EQ(r.bottom, 16) << "26 characters fit on one line";
  DeleteSurface(s);
}

TEST_F(QtBackendTest, DefaultKeysMapFromNativeCodesAndFromKeys) {
  struct Case { unsigned native; int key; int code; };
  const Case cases[] = {{113, Qt::Key_Left, 331}, {114, Qt::Key_Right, 333},
                        {116, Qt::Key_Down, 336}, {37, Qt::Key_Control, 29},
                        {111, Qt::Key_Up, 328},   {36, Qt::Key_Return, 28},
                        {104, Qt::Key_Enter, 284}, {65, Qt::Key_Space, 57},
                        {67, Qt::Key_F1, 59},     {75, Qt::Key_F9, 67}};
  for (const Case& c : cases) {
    EXPECT_EQ(KeyCodeFromNative(c.native), c.code) << "native " << c.native;
    EXPECT_EQ(KeyCodeFromQtKey(c.key), c.code) << "key " << c.key;
  }
  EXPECT_EQ(KeyCodeFromNative(105), 285) << "right Ctrl is extended";
  EXPECT_EQ(KeyCodeFromQtKey('Q'), 16);
}

TEST_F(QtBackendTest, SystemRepeatPairsAreIgnored) {
  Drain();
  Send(QEvent::KeyPress, Qt::Key_Up, 111, false);
  for (int i = 0; i < 5; ++i) {
    Send(QEvent::KeyRelease, Qt::Key_Up, 111, true);
    Send(QEvent::KeyPress, Qt::Key_Up, 111, true);
  }
  Send(QEvent::KeyRelease, Qt::Key_Up, 111, false);
  std::vector<Message> got = Collect(400);
  EXPECT_EQ(Count(got, MsgKeyDown), 1);
  EXPECT_EQ(Count(got, MsgKeyUp), 1);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.front().a, 328);
}

TEST_F(QtBackendTest, AHeldKeyRepeatsByTheProgramsOwnTimer) {
  Drain();
  Send(QEvent::KeyPress, Qt::Key_Left, 113, false);
  std::vector<Message> held = Collect(250 + 33 * 6 + 20);
  Send(QEvent::KeyRelease, Qt::Key_Left, 113, false);
  std::vector<Message> after = Collect(150);
  int downs = Count(held, MsgKeyDown);
  EXPECT_GE(downs, 5) << "the first press and about one repeat every 33 ms after 250 ms";
  EXPECT_LE(downs, 9);
  EXPECT_EQ(Count(after, MsgKeyDown), 0) << "the release stops the repeat";
  EXPECT_EQ(Count(after, MsgKeyUp), 1);
}

TEST_F(QtBackendTest, WaitEndsOnItsTimeoutWithoutAMessage) {
  Drain();
  QElapsedTimer t;
  t.start();
  Message m;
  EXPECT_FALSE(WaitMessage(&m, 30));
  EXPECT_GE(t.elapsed(), 29);
  PostMessage(MsgPaint);
  EXPECT_TRUE(WaitMessage(&m, -1));
  EXPECT_EQ(m.kind, MsgPaint);
}

}  // namespace
