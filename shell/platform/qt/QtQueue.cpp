// The program's message queue over Qt's event loop, and the monotonic clock.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <deque>
#include <mutex>
#include <time.h>

#include "shell/platform/Clock.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Window.h"

static std::mutex g_lock;
static std::deque<Message> g_queue;
static QSocketNotifier* g_socketNotifier = nullptr;
static bool g_socketReady = false;

uint32_t TickCount() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return uint32_t(uint64_t(t.tv_sec) * 1000u + uint64_t(t.tv_nsec) / 1000000u);
}

void SleepMs(uint32_t ms) {
  timespec t{time_t(ms / 1000), long(ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0) {
  }
}

// Safe from any thread: a post from another thread also wakes the main thread's wait.
void PostMessage(MessageKind kind, int32_t a, int32_t b) {
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_queue.push_back({kind, a, b});
  }
  if (auto* d = QAbstractEventDispatcher::instance(qApp ? qApp->thread() : nullptr)) d->wakeUp();
}

static bool PopMessage(Message* m) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_queue.empty()) return false;
  *m = g_queue.front();
  g_queue.pop_front();
  return true;
}

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
  g_socketReady = false;
  if (g_socketNotifier) g_socketNotifier->setEnabled(true);
  while (!timedOut && !g_socketReady) {
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
