// The Qt back end, offscreen: text placement, key codes, the program's own key repeat.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <cstdlib>
#include <regex>
#include <string>
#include <utility>

#include "shell/platform/Clock.h"
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
    ASSERT_TRUE(CreateMainWindow(100, 100));
  }
  static void Send(QEvent::Type type, int key, unsigned native, bool autoRepeat = false) {
    QKeyEvent e(type, key, Qt::NoModifier, native, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(static_cast<QMainWindow*>(MainWindowWidget())->centralWidget(), &e);
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

TEST_F(QtBackendTest, WrappedTextLandsInsideItsRectangle) {
  Surface* s = CreateSurface(180, 100);
  SurfaceSelectFont(s, LogFont);
  SurfaceTextColour(s, 0xFFFFFF);  // on the black of a new surface
  const char* text = "Une ligne assez longue pour passer \xE0 la ligne suivante";
  TextRect r = SurfaceMeasureText(s, {2, 0, 174, 16}, text);
  ASSERT_TRUE(r.bottom >= 32 && r.bottom % 16 == 0 && r.right <= 174) << "whole lines, wrapped";
  SurfaceDrawText(s, {2, 0, 174, 100}, text);  // wrapped alike, but clipped only at the right
  int ink[6] = {}, rows[6] = {}, out = 0;  // per line, inked pixels and their rows in it summed
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 180; ++x)
      if (SurfacePixels(s)[y * 180 + x] && (x < r.left || x >= r.right || y >= r.bottom)) ++out;
      else if (SurfacePixels(s)[y * 180 + x]) ++ink[y / 16], rows[y / 16] += y % 16;
  EXPECT_EQ(out, 0) << "ink outside the measured rectangle";
  for (int i = 0; i < r.bottom / 16; ++i)  // a line's ink is centred in its 16 rows
    EXPECT_TRUE(ink[i] > 30 && std::abs(2 * rows[i] / ink[i] - 16) <= 4) << "line " << i;
  DeleteSurface(s);
}

TEST_F(QtBackendTest, DefaultKeysMapFromNativeCodesAndFromQtKeys) {
  const struct { unsigned native; int key, code; } cases[] = {
      {113, Qt::Key_Left, 331}, {114, Qt::Key_Right, 333}, {116, Qt::Key_Down, 336},
      {37, Qt::Key_Control, 29}, {111, Qt::Key_Up, 328}, {104, Qt::Key_Enter, 284}};
  for (const auto& c : cases)
    EXPECT_EQ(std::pair(KeyCodeFromNative(c.native), KeyCodeFromQtKey(c.key)),
              std::pair(c.code, c.code)) << "native " << c.native;
}

TEST_F(QtBackendTest, SystemRepeatPairsAreIgnored) {
  // A press, five release/press pairs of the system's repeat, the release.
  for (int i = 0; i < 12; ++i)
    Send(i % 2 ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_Up, 111, i > 0 && i < 11);
  EXPECT_EQ(Keys(300), "D328 U328 ");
}

TEST_F(QtBackendTest, AHeldKeyRepeatsByTheProgramsOwnTimer) {
  Send(QEvent::KeyPress, Qt::Key_Left, 113);
  std::string held = Keys(250 + 33 * 6 + 20);
  Send(QEvent::KeyRelease, Qt::Key_Left, 113);
  // The press, then one at 250 ms and every 33 ms after: about eight, timing allowing.
  EXPECT_TRUE(std::regex_match(held, std::regex("(D331 ){5,9}"))) << held;
  EXPECT_EQ(Keys(150), "U331 ") << "the release stops the repeat";
}
