// The main window under Qt: the menu, the 450 x 400 client area, keys with the program's own repeat.
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <map>

#include "resources/Resources.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/qt/QtBackend.h"

// The fastest repeat the original platform offered: 250 ms, then about 30 a second.
static const int RepeatDelayMs = 250;
static const int RepeatPeriodMs = 33;

class ClientArea : public QWidget {
 public:
  ClientArea() {
    setFixedSize(WindowWidth, WindowHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    repeat_.setTimerType(Qt::PreciseTimer);
    // A dialog that opened meanwhile has the key now, even where no window
    // manager tells this widget that it lost the keyboard.
    connect(&repeat_, &QTimer::timeout, [this] {
      if (QApplication::activeModalWidget() || QApplication::focusWidget() != this) return;
      PostMessage(MsgKeyDown, held_);
      repeat_.start(RepeatPeriodMs);
    });
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QImage image(reinterpret_cast<const uchar*>(SurfacePixels(WindowSurface())), WindowWidth,
                 WindowHeight, WindowWidth * 4, QImage::Format_RGB32);
    QPainter p(this);
    p.drawImage(e->rect(), image, e->rect());
  }

  // The system's own repeat is ignored, release/press pairs included: a held
  // key repeats by our timer only, and a rotation key turns once per press.
  void keyPressEvent(QKeyEvent* e) override {
    if (e->isAutoRepeat()) return;
    int code = KeyCodeOf(e);
    PostMessage(MsgKeyDown, code);
    held_ = code;
    repeat_.start(RepeatDelayMs);
  }

  void keyReleaseEvent(QKeyEvent* e) override {
    if (e->isAutoRepeat()) return;
    int code = KeyCodeOf(e);
    if (code == held_) repeat_.stop();
    PostMessage(MsgKeyUp, code);
  }

  void focusOutEvent(QFocusEvent*) override { repeat_.stop(); }

  bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other

 private:
  QTimer repeat_;
  int held_ = 0;
};

class MainFrame : public QMainWindow {
 public:
  ClientArea* area = nullptr;
  std::map<int, QAction*> actions;

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

static void BuildMenu(MainFrame* f) {
  QMenu* popups[2];
  for (int i = 0; i < 2; ++i) popups[i] = f->menuBar()->addMenu(FromCp1252(MenuPopups[i]));
  for (int i = 0; i < MainMenuCount; ++i) {
    const MenuItem& item = MainMenu[i];
    if (item.command == 0) {
      popups[item.popup]->addSeparator();
      continue;
    }
    QAction* a = popups[item.popup]->addAction(FromCp1252(item.text));
    a->setCheckable(item.checked);
    a->setChecked(item.checked);
    int command = item.command;
    // The check mark changes only when the program says so.
    QObject::connect(a, &QAction::triggered, [a, command] {
      if (a->isCheckable()) a->setChecked(!a->isChecked());
      PostMessage(MsgCommand, command);
    });
    f->actions[command] = a;
  }
}

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
  if (g_frame) g_frame->area->update(x, y, w, h);
}

void CheckMenuCommand(int command, bool checked) {
  if (!g_frame) return;
  auto it = g_frame->actions.find(command);
  if (it != g_frame->actions.end()) it->second->setChecked(checked);
}

bool MenuCommandChecked(int command) {
  if (!g_frame) return false;
  auto it = g_frame->actions.find(command);
  return it != g_frame->actions.end() && it->second->isChecked();
}
