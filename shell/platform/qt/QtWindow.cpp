// The main window under Qt: the frame, the 450 x 400 client area, keys with the program's own repeat.
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <xcb/xcb.h>

#include "resources/Resources.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/qt/QtBackend.h"

// The fastest repeat the original platform offered: 250 ms, then about 30 a second.
static const int RepeatDelayMs = 250;
static const int RepeatPeriodMs = 33;

// The client area's pixels, lent to the program, which draws on them.
static uint32_t g_pixels[WindowWidth * WindowHeight];

// What was drawn on the window's pixels and is not yet on the screen.
static QRegion g_unshown;

enum KeyState { KeyUp, KeyDown, KeyStateUnknown };

// Whether the X server has the key of that X key code down now; where no X
// server answers, the key events already read are all there is to go by.
static KeyState ServerKeyState(unsigned native) {
  xcb_connection_t* c = XConnection();
  if (!c || native == 0 || native > 255) return KeyStateUnknown;
  xcb_query_keymap_reply_t* r = xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr);
  if (!r) return KeyStateUnknown;
  bool down = (r->keys[native / 8] >> (native % 8)) & 1;
  std::free(r);
  return down ? KeyDown : KeyUp;
}

class ClientArea : public QWidget {
 public:
  ClientArea() {
    setFixedSize(WindowWidth, WindowHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    repeat_.setTimerType(Qt::PreciseTimer);
    connect(&repeat_, &QTimer::timeout, [this] { Repeat(); });
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    g_unshown -= e->region();
    QImage image(reinterpret_cast<const uchar*>(g_pixels), WindowWidth, WindowHeight,
                 WindowWidth * 4, QImage::Format_RGB32);
    QPainter p(this);
    p.drawImage(e->rect(), image, e->rect());
  }

  // The system's own repeat is ignored, release/press pairs included: a held
  // key repeats by our timer only, and a rotation key turns once per press.
  void keyPressEvent(QKeyEvent* e) override {
    int code = KeyCodeOf(e);
    bool repeatPress = releaseHeldBack_ && code == held_;
    releaseHeldBack_ = false;
    if (e->isAutoRepeat() || repeatPress) return;
    PostMessage(MsgKeyDown, code);
    held_ = code;
    heldNative_ = e->nativeScanCode();
    repeat_.start(RepeatDelayMs);
  }

  // The toolkit pairs a repeat's release with its press only when both are
  // already queued; a release read alone, of a key the X server still holds
  // down, is such a pair's first half. Taken for a real one, it would end a
  // soft drop and let the press after it start one on the next piece.
  void keyReleaseEvent(QKeyEvent* e) override {
    if (e->isAutoRepeat()) return;
    int code = KeyCodeOf(e);
    if (code == held_ && ServerKeyState(e->nativeScanCode()) == KeyDown) {
      releaseHeldBack_ = true;
      return;
    }
    if (code == held_) Unhold();
    PostMessage(MsgKeyUp, code);
  }

  void focusOutEvent(QFocusEvent*) override { Unhold(); }

  bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other

 private:
  void Unhold() {
    repeat_.stop();
    held_ = 0;
    releaseHeldBack_ = false;
  }

  // The timer may come due while the program was busy with the very press it
  // repeats (a tune loading, say), its release already queued behind it: that
  // input is read first, and the X server asked whether the key is still down,
  // so that a key let go is never pressed again.
  void Repeat() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (held_ && ServerKeyState(heldNative_) == KeyUp) {
      // A release held back as a repeat's was the real one after all.
      if (releaseHeldBack_) PostMessage(MsgKeyUp, held_);
      Unhold();
    }
    // A dialog that opened meanwhile has the key now, even where no window
    // manager tells this widget that it lost the keyboard.
    if (!held_ || QApplication::activeModalWidget() || QApplication::focusWidget() != this)
      return;
    PostMessage(MsgKeyDown, held_);
    repeat_.start(RepeatPeriodMs);
  }

  QTimer repeat_;
  int held_ = 0;
  unsigned heldNative_ = 0;
  bool releaseHeldBack_ = false;
};

class MainFrame : public QMainWindow {
 public:
  ClientArea* area = nullptr;

 protected:
  void moveEvent(QMoveEvent*) override { PostClientPosition(); }

  void showEvent(QShowEvent*) override { PostMessage(MsgPaint); }

  // Closing by the title bar takes the same way as "Quitter".
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    DestroyMainWindow();
  }

 public:
  void PostClientPosition() {
    QPoint p = area->mapToGlobal(QPoint(0, 0));
    PostMessage(MsgMove, p.x() & 0xFFFF, p.y() & 0xFFFF);
  }
};

static MainFrame* g_frame = nullptr;

QWidget* MainWindowWidget() { return g_frame; }

uint32_t* WindowPixels() { return g_pixels; }

static QIcon MakeIcon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  DrawIcon(reinterpret_cast<unsigned*>(image.bits()), 32);
  return QIcon(QPixmap::fromImage(image));
}

// Keeps the client area's corner at (x, y) while the whole frame stays on the desktop.
static void PlaceClientArea(int x, int y) {
  QPoint offset = g_frame->area->mapToGlobal(QPoint(0, 0)) - g_frame->frameGeometry().topLeft();
  QRect desk = g_frame->screen() ? g_frame->screen()->availableGeometry() : QRect();
  QPoint target(x - offset.x(), y - offset.y());
  if (desk.isValid()) {
    QSize size = g_frame->frameGeometry().size();
    target.setX(std::max(desk.left(), std::min(target.x(), desk.right() + 1 - size.width())));
    target.setY(std::max(desk.top(), std::min(target.y(), desk.bottom() + 1 - size.height())));
  }
  g_frame->move(target);
}

void PlatformStartup(int argc, char** argv) {
  static int s_argc = argc;
  // The application object lives as long as the program; qApp finds it.
  new QApplication(s_argc, argv);  // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState s) {
    PostMessage(MsgActivate, s == Qt::ApplicationActive ? 1 : 0);
  });
}

bool CreateMainWindow(int x, int y) {
  g_frame = new MainFrame;
  g_frame->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  g_frame->setWindowTitle("Ploxen");
  g_frame->setWindowIcon(MakeIcon());
  g_frame->area = new ClientArea;
  g_frame->setCentralWidget(g_frame->area);
  BuildMenu(g_frame);
  g_frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
  SetFrameButtons(g_frame, true, true);
  g_frame->show();
  PlaceClientArea(x, y);
  g_frame->area->setFocus();
  g_frame->activateWindow();
  return true;
}

void DestroyMainWindow() {
  if (!g_frame) return;
  g_frame->hide();
  g_frame->deleteLater();
  g_frame = nullptr;
  PostMessage(MsgDestroy);
}

void WindowInvalidate(int x, int y, int w, int h) {
  if (!g_frame) return;
  g_unshown += QRect(x, y, w, h);
  g_frame->area->update(x, y, w, h);
}

// Paints what waits at once, and waits for the X server to have taken it, so
// that a picture followed by a pause is seen for the whole pause.
void ShowWindowNow() {
  if (!g_frame || g_unshown.isEmpty()) return;
  g_frame->area->repaint(g_unshown);
  g_unshown = QRegion();
  if (xcb_connection_t* c = XConnection())
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// Motif hints, which window managers read for the buttons and the functions of a
// frame. Qt asks for resizing always, and for everything when a window asks for
// no button, which gives a fixed-size dialog a maximise and a minimise button.
void SetFrameButtons(QWidget* window, bool minimise, bool close) {
  xcb_connection_t* c = XConnection();
  if (!c) return;
  enum : uint32_t { Functions = 1, Decorations = 2, Move = 4, Minimise = 8, Close = 32 };
  enum : uint32_t { Border = 2, Title = 8, Menu = 16, MinimiseButton = 32 };
  uint32_t hints[5] = {Functions | Decorations, Move, Border | Title, 0, 0};
  if (minimise) hints[1] |= Minimise, hints[2] |= MinimiseButton;
  if (close) hints[1] |= Close, hints[2] |= Menu;
  static const char name[] = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
  if (!atom) return;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), atom->atom,
                      atom->atom, 32, 5, hints);
  std::free(atom);
}

