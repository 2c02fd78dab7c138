// The real main loop during a Solo match with no input: CPU used with the tune off and on,
// lateness of the gravity steps, the longest loop pass over the tune's starts and restarts,
// and the time from a key press to the moved piece in the window buffer.
#include <SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "game/Clearing.h"
#include "game/Board.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "shell/Audio.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "resources/Resources.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Sound.h"
#include "shell/platform/Window.h"
#include "shell/platform/qt/QtBackend.h"
#include "shell/platform/sdl/SdlSoundControl.h"

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

static double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The longest a match start (and with it the tune's start) held the loop.
static double WorstStart = 0;

static void TimedStartSolo() {
  auto t0 = Clock::now();
  StartSolo();
  WorstStart = std::max(WorstStart, Ms(Clock::now() - t0));
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
    if (MatchOver) TimedStartSolo();
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

// The main loop's work taken apart, so that waiting is not counted: every message handled
// and every GameTick timed on its own. Returns the longest in ms and counts the tune's rounds.
static double WorstStall(int seconds, int* rounds) {
  double worst = 0;
  int startRounds = SdlTuneRounds();
  auto end = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < end) {
    if (MatchOver) TimedStartSolo();
    Message m;
    auto t0 = Clock::now();
    if (TakeMessage(&m)) {
      t0 = Clock::now();
      WindowProcedure(m);
    } else {
      t0 = Clock::now();
      GameTick();
    }
    worst = std::max(worst, Ms(Clock::now() - t0));
    SleepMs(1);
  }
  *rounds = SdlTuneRounds() - startRounds;
  return worst;
}

// One note over two quarters at 600 ms: a 1.2 s tune that comes round often.
static void WriteShortTune(const char* fileName) {
  static const uint8_t file[] = {
      'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 20,
      0x00, 0xFF, 0x51, 3, 0x09, 0x27, 0xC0,  // 600000 us a quarter
      0x00, 0x90, 72, 90, 0x81, 0x40, 0x80, 72, 0, 0x00, 0xFF, 0x2F, 0};
  FILE* f = std::fopen(fileName, "wb");
  std::fwrite(file, 1, sizeof file, f);
  std::fclose(f);
}

// Start-up's settings reads and write-backs, and one toggle written, with a settings file of
// the given size whose keys are all present (comment lines make up the bulk).
static void SettingsFigures(int megabytes) {
  char dir[] = "/tmp/loop-bench-ini-XXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return;
  LoadSettings();
  LoadPatternSetting();
  FILE* f = std::fopen(SettingsFile, "ab");
  std::string filler = "; " + std::string(97, 'x') + "\n";
  for (int i = 0; i < megabytes * 10000; ++i) std::fputs(filler.c_str(), f);
  std::fclose(f);
  auto t0 = Clock::now();
  LoadSettings();
  LoadPatternSetting();
  WriteToggle(SoundOn, CmdSound, "Bruitages");
  WriteToggle(MusicOn, CmdMusic, "Musique");
  double start = Ms(Clock::now() - t0);
  t0 = Clock::now();
  WriteToggle(MusicOn ? 0 : 1, CmdMusic, "Musique");
  double toggle = Ms(Clock::now() - t0);
  std::printf("settings file of %d MB: start-up reads and writes %.1f ms, one toggle written %.1f ms\n",
              megabytes, start, toggle);
  std::remove(SettingsFile);
  if (chdir(PLOXEN_RUN_DIR) != 0) return;
  rmdir(dir);
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
  // No sound card needed: SDL's dummy driver mixes in real time like a real one.
  if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (chdir(PLOXEN_RUN_DIR) != 0) return 1;
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

  // The tune's first start opens the sound device and loads the sound font.
  MusicOn = 1;
  WorstStart = 0;
  TimedStartSolo();
  double firstStart = WorstStart;
  cpu0 = CpuSeconds();
  IdleRun(5);
  double firstCpu = CpuSeconds() - cpu0;
  cpu0 = CpuSeconds();
  f = IdleRun(seconds);
  cpu = CpuSeconds() - cpu0;
  std::printf("audio driver %s; first match start with the tune: %.1f ms; CPU in its first 5 s: "
              "%.2f %% of one core\n",
              SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "none", firstStart,
              100.0 * firstCpu / 5);
  std::printf("idle Solo match, music on, %d s: CPU %.2f %% of one core; worst step lateness "
              "%d ms, lock %d ms\n",
              seconds, 100.0 * cpu / seconds, f.worstStep, f.worstLock);
  // A 1.2 s tune in a directory of its own comes round several times.
  char dir[] = "/tmp/loop-bench-XXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 1;
  WriteShortTune("Ploxen.mid");
  WorstStart = 0;
  TimedStartSolo();
  int rounds = 0;
  double stall = WorstStall(10, &rounds);
  std::printf("1.2 s tune over 10 s: %d rounds; worst main-thread stall %.2f ms, worst match start "
              "%.2f ms\n",
              rounds, stall, WorstStart);
  std::remove("Ploxen.mid");
  if (chdir(PLOXEN_RUN_DIR) != 0) return 1;
  rmdir(dir);
  MusicOn = 0;
  RestartMusic();
  // The first effect after the device was given back opens it again.
  CloseSound();
  auto t0 = Clock::now();
  PlayEffect("Pose.wav");
  std::printf("first effect with the sound device closed: %.1f ms\n", Ms(Clock::now() - t0));

  SettingsFigures(0);
  SettingsFigures(10);

  std::vector<double> us = KeyLatencies(200);
  std::printf("key press to moved piece in the window buffer: median %.0f us, 99th percentile %.0f us\n",
              us[us.size() / 2], us[us.size() * 99 / 100]);
  return 0;
}
