// Start-up in its order, the main loop that interleaves messages with GameTick, and shutdown.
#include "shell/Program.h"

#include "display/BackgroundImage.h"
#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "net/Match.h"
#include "net/MatchServices.h"
#include "net/Transport.h"
#include "resources/Resources.h"
#include "shell/Audio.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/ScoreTable.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Net.h"
#include "shell/platform/Window.h"

static bool AskGameParameters() { return OpenDialog(GameParametersDialog, true) == DialogOk; }

void ConnectLayers() {
  InstallMatchHooks();
  KeyLeft = DefaultKeyLeft;
  KeyRight = DefaultKeyRight;
  KeyDown = DefaultKeyDown;
  KeyRotLeft = DefaultKeyRotLeft;
  KeyRotRight = DefaultKeyRotRight;
  Shell = {AskGameParameters, RestartMusic, PlayEffect, ShowScoreTable};
}

static void StartUp() {
  LoadBackgroundImage();
  LoadPatternSetting();
  LoadGhostSetting();
  SeedRandom(TickCount());
  ResetGame(true, Solo);
  WriteToggle(SoundOn, CmdSound, "Bruitages");
  WriteToggle(MusicOn, CmdMusic, "Musique");
  WriteToggle(PatternMode, CmdPatterns, "Motifs");
  WriteToggle(GhostMode, CmdGhost, "Fantome");
  WriteStartupText();
}

static void ShutDown() {
  CloseNet();
  ShutdownMusic();
  FreePanelSurfaces();
  FreeBackgroundImage();
  SavePosition();
}

int RunProgram() {
  ConnectLayers();
  SetModalProcedure(WindowProcedure);
  LoadSettings();
  if (!CreateMainWindow(PosX, PosY)) return 0;
  CreatePanelSurfaces();
  StartUp();
  int code = RunMainLoop();
  ShutDown();
  return code;
}

// Waiting replaces the passes that would find nothing to do; the ticks that
// can act, and their order with the messages, stay the same.
int IdleWait() {
  if (StartRequest || (!MatchOver && SoftDropActive)) return 0;
  if (MatchOver) return -1;
  int32_t interval = StepIntervalFor(Level);
  if (interval < 0) return 0;
  uint32_t elapsed = TickCount() - LastStepTime;
  if (elapsed > uint32_t(interval)) return 0;
  return int(uint32_t(interval) - elapsed + 1);
}

// A datagram ends the wait too, so a network game answers at once and costs
// nothing while nothing happens.
static void WatchNetwork() {
  static int watched = -1;
  if (NetWaitHandle() != watched) WatchSocket(watched = NetWaitHandle());
}

// A pulled-down menu holds the game as a menu's own loop would hold the main
// loop: messages are handled, no GameTick runs, datagrams wait in the socket.
// Gravity counts again from the moment the menu closes, with no steps to catch up.
static bool MenuHoldsGame() {
  static bool held = false;
  if (MenuPulledDown()) return held = true;
  if (held) LastStepTime = TickCount();
  return held = false;
}

// A wait takes the messages already queued before it sleeps, so a pass that
// may wait turns the event loop once, not twice: on a Server that is once per
// datagram.
static bool NextMessage(Message* m) {
  WatchNetwork();
  if (!PollFlag || MenuHoldsGame()) return WaitMessage(m, -1);
  int wait = IdleWait();
  return wait == 0 ? TakeMessage(m) : WaitMessage(m, wait);
}

bool RunLoopPass(int* exitCode) {
  Message m;
  if (!NextMessage(&m)) {
    if (PollFlag && !MenuHoldsGame()) GameTick();
    return true;
  }
  if (m.kind == MsgQuit) {
    *exitCode = m.a;
    return false;
  }
  WindowProcedure(m);
  return true;
}

int RunMainLoop() {
  int code = 0;
  while (RunLoopPass(&code)) {
  }
  return code;
}
