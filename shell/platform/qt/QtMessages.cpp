// The program's message queue over Qt's event loop, the wait for a message or a datagram.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <deque>
#include <mutex>

#include "shell/platform/Menu.h"
#include "shell/platform/Messages.h"
#include "shell/platform/qt/QtBackend.h"

static std::mutex g_lock;
static std::deque<Message> g_queue;
static QSocketNotifier* g_socketNotifier = nullptr;
static bool g_socketReady = false;
static bool g_waitEnded = false;
static void (*g_modalProcedure)(const Message&) = nullptr;

static bool PopMessage(Message* m) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_queue.empty()) return false;
  *m = g_queue.front();
  g_queue.pop_front();
  return true;
}

// What a modal loop may hand the window procedure: nothing that acts on the
// game, opens a dialog or ends the program.
static bool PopModalMessage(Message* m) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_queue.empty()) return false;
  MessageKind k = g_queue.front().kind;
  if (k == MsgKeyDown || k == MsgCommand || k == MsgDestroy || k == MsgQuit) return false;
  *m = g_queue.front();
  g_queue.pop_front();
  return true;
}

void SetModalProcedure(void (*procedure)(const Message&)) { g_modalProcedure = procedure; }

// Runs on the main thread in whichever loop turns, and acts only in a modal one.
static void DeliverInModalLoop() {
  if (ModalDepth <= 0 || !g_modalProcedure) return;
  for (Message m; PopModalMessage(&m);) g_modalProcedure(m);
}

// Safe from any thread: a post from another thread also wakes the main thread's
// wait, or reaches the window procedure through a modal dialog's loop.
void PostMessage(MessageKind kind, int32_t a, int32_t b) {
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_queue.push_back({kind, a, b});
  }
  if (!qApp) return;
  QMetaObject::invokeMethod(qApp, DeliverInModalLoop, Qt::QueuedConnection);
  if (auto* d = QAbstractEventDispatcher::instance(qApp->thread())) d->wakeUp();
}

// The queued call's slot object belongs to its event, which Qt frees once delivered.
void DeliverMessagesInModalLoop() {
  QMetaObject::invokeMethod(qApp, DeliverInModalLoop,  // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
                            Qt::QueuedConnection);
}

void EndWait() { g_waitEnded = true; }

bool TakeMessage(Message* m) {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return PopMessage(m);
}

bool WaitMessage(Message* m, int timeoutMs) {
  if (TakeMessage(m)) return true;
  bool timedOut = false;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&timedOut] { timedOut = true; });
  if (timeoutMs >= 0) timer.start(timeoutMs);
  g_socketReady = g_waitEnded = false;
  // Datagrams wait in the socket while a menu is down, as the game does.
  if (g_socketNotifier) g_socketNotifier->setEnabled(!MenuPulledDown());
  while (!timedOut && !g_socketReady && !g_waitEnded) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (PopMessage(m)) return true;
  }
  return false;
}

// The notifier only ends a wait; the game reads the socket itself, one datagram a tick.
void WatchSocket(int fd) {
  delete g_socketNotifier;
  g_socketNotifier = nullptr;
  if (fd < 0) return;
  g_socketNotifier = new QSocketNotifier(fd, QSocketNotifier::Read);
  QObject::connect(g_socketNotifier, &QSocketNotifier::activated, [] {
    g_socketReady = true;
    g_socketNotifier->setEnabled(false);
  });
}
