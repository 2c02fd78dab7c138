// Headless message queue: tests post what the window would have received.
#include <deque>
#include <mutex>

#include "shell/platform/Messages.h"
#include "shell/platform/null/NullControl.h"

static std::mutex g_lock;
static std::deque<Message> g_queue;

void PostMessage(MessageKind kind, int32_t a, int32_t b) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_queue.push_back({kind, a, b});
}

bool TakeMessage(Message* m) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_queue.empty()) return false;
  *m = g_queue.front();
  g_queue.pop_front();
  return true;
}

// Nobody else posts while a headless test waits: a limited wait lets the fake
// time pass, and an endless one would never end, so it ends the loop instead
// with the exit code NullIdleExit.
bool WaitMessage(Message* m, int timeoutMs) {
  if (TakeMessage(m)) return true;
  if (timeoutMs >= 0) {
    NullAdvanceClock(uint32_t(timeoutMs));
    return false;
  }
  *m = {MsgQuit, NullIdleExit, 0};
  return true;
}

// No dialog here runs a loop of its own.
void SetModalProcedure(void (*)(const Message&)) {}

// Nothing here waits on a socket.
void WatchSocket(int) {}
