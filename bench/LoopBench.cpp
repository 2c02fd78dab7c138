// The real main loop during a Solo match with no input: CPU used, lateness of
// the gravity steps, and the time from a key press to the moved piece in the window buffer.
#include <sys/resource.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "game/Clearing.h"
#include "game/Board.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/qt/QtBackend.h"

using Clock = std::chrono::steady_clock;

static double CpuSeconds() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

static void StartSolo() {
  ConnectLayers();
  Level = 0;
  StartHeight = 0;
  ResetGame(true, Solo);
  StartMatch();
}

struct IdleFigures {
  int steps = 0, locks = 0;
  int worstStep = 0;  // ms from a step's due time until the moved piece was drawn
  int worstLock = 0;  // the same for a step that locked and spawned the next piece
};

// Runs the loop for the given seconds and measures every gravity step.
static IdleFigures IdleRun(int seconds) {
  IdleFigures f;
  int code = 0;
  auto end = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < end) {
    if (MatchOver) StartSolo();
    uint32_t before = LastStepTime;
    uint32_t due = before + uint32_t(StepIntervalFor(Level)) + 1;
    int row = DrawnPiece[0].row;
    RunLoopPass(&code);
    if (LastStepTime == before || MatchOver) continue;
    int late = int(LastStepTime - due);
    if (DrawnPiece[0].row > row) {
      ++f.steps;
      f.worstStep = std::max(f.worstStep, late);
    } else {
      ++f.locks;
      f.worstLock = std::max(f.worstLock, late);
    }
  }
  return f;
}

static void PressKey(int qtKey, unsigned native) {
  QWidget* area = static_cast<QMainWindow*>(MainWindowWidget())->centralWidget();
  QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, native, 0, 0);
  QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, native, 0, 0);
  QApplication::sendEvent(area, &down);
  QApplication::sendEvent(area, &up);
}

// Microseconds from each key press to the first loop pass after which the window shows the move.
static std::vector<double> KeyLatencies(int presses) {
  std::vector<double> us;
  const uint32_t* px = SurfacePixels(WindowSurface());
  std::vector<uint32_t> before(px, px + WindowWidth * WindowHeight);
  int code = 0;
  for (int i = 0; i < presses; ++i) {
    if (MatchOver) StartSolo();
    LastStepTime = TickCount();  // no gravity step in the way
    std::copy(px, px + WindowWidth * WindowHeight, before.begin());
    bool left = i % 2 == 0;
    auto t0 = Clock::now();
    PressKey(left ? Qt::Key_Left : Qt::Key_Right, left ? 113 : 114);
    while (std::equal(before.begin(), before.end(), px) &&
           Clock::now() - t0 < std::chrono::milliseconds(100))
      RunLoopPass(&code);
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    Message m;
    while (TakeMessage(&m)) WindowProcedure(m);  // the key release
  }
  std::sort(us.begin(), us.end());
  return us;
}

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  PlatformStartup(argc, argv);
  // The tune's synthesis is the sound back end's work, not the loop's: measured without it.
  MusicOn = 0;
  CreateMainWindow(100, 100);
  CreatePanelSurfaces();
  // A Solo game stands still while the program is not the active application.
  MainWindowWidget()->activateWindow();
  Message m;
  for (int i = 0; i < 50; ++i)
    if (TakeMessage(&m)) WindowProcedure(m);
  if (!PollFlag) {
    std::fprintf(stderr, "the window did not become active; nothing to measure\n");
    return 1;
  }
  StartSolo();
  double cpu0 = CpuSeconds();
  IdleFigures f = IdleRun(seconds);
  double cpu = CpuSeconds() - cpu0;
  std::printf("idle Solo match, music off, %d s: CPU %.2f %% of one core\n", seconds,
              100.0 * cpu / seconds);
  std::printf("gravity steps: %d, worst lateness %d ms; steps that locked: %d, worst %d ms "
              "(lock and spawn included)\n",
              f.steps, f.worstStep, f.locks, f.worstLock);
  std::vector<double> us = KeyLatencies(200);
  std::printf("key press to moved piece in the window buffer: median %.0f us, 99th percentile %.0f us\n",
              us[us.size() / 2], us[us.size() * 99 / 100]);
  return 0;
}
