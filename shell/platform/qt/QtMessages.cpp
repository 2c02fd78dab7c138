// The program's message queue over Qt's event loop, the wait for a message or a datagram.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <deque>
#include <mutex>

#include "shell/platform/Clock.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Messages.h"
#include "shell/platform/qt/QtBackend.h"

static std::mutex g_lock;
static std::deque<Message> g_queue;
static QSocketNotifier* g_socketNotifier = nullptr;
static bool g_socketReady = false;
static bool g_waitEnded = false;
static bool g_inWait = false;  // inside WaitMessage, whose caller reads the socket next
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

// One timer serves every wait, connected once and left running between waits:
// each pass of a Server's loop waits for the same gravity step, so a datagram
// costs no timer set-up, only the wake.
static bool g_timedOut = false;
static uint32_t g_deadline = 0;  // the TickCount at which the running timer fires

static void ArmWaitTimer(int timeoutMs) {
  static QTimer* timer = nullptr;
  if (!timer) {
    timer = new QTimer(qApp);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, [] { g_timedOut = true; });
  }
  g_timedOut = false;
  if (timeoutMs < 0) {
    timer->stop();
    return;
  }
  uint32_t deadline = TickCount() + uint32_t(timeoutMs);
  if (timer->isActive() && deadline == g_deadline) return;
  g_deadline = deadline;
  timer->start(timeoutMs);
}

// The first turn of the wait below takes whatever events are already pending
// without blocking, so the queue alone is looked at first: an extra pass of the
// event loop here would cost every wait, and every datagram, once more.
bool WaitMessage(Message* m, int timeoutMs) {
  if (PopMessage(m)) return true;
  ArmWaitTimer(timeoutMs);
  g_socketReady = g_waitEnded = false;
  // Datagrams wait in the socket while a menu is down, as the game does.
  bool watch = !MenuPulledDown();
  if (g_socketNotifier && g_socketNotifier->isEnabled() != watch) g_socketNotifier->setEnabled(watch);
  bool got = false;
  g_inWait = true;
  while (!g_timedOut && !g_socketReady && !g_waitEnded) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if ((got = PopMessage(m))) break;
  }
  g_inWait = false;
  return got;
}

// The notifier only ends a wait; the game reads the socket itself, one datagram a tick.
// Fired outside the main loop's wait (in a modal dialog's loop, say, which reads no
// datagram) it goes quiet until the next wait, or the datagram still waiting would
// wake that loop again and again. Within the wait it stays armed: re-arming it for
// every datagram is a good part of what a relayed report costs the Server.
void WatchSocket(int fd) {
  delete g_socketNotifier;
  g_socketNotifier = nullptr;
  if (fd < 0) return;
  g_socketNotifier = new QSocketNotifier(fd, QSocketNotifier::Read);
  QObject::connect(g_socketNotifier, &QSocketNotifier::activated, [] {
    g_socketReady = true;
    if (!g_inWait) g_socketNotifier->setEnabled(false);
  });
}
