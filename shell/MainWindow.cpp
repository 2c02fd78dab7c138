// The main window's procedure: what each message, key and menu command does.
#include "shell/MainWindow.h"

#include "display/BackgroundImage.h"
#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "resources/Resources.h"
#include "shell/Audio.h"
#include "shell/Dialogs.h"
#include "shell/ScoreTable.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Window.h"

int32_t PollFlag = 1;
uint8_t Paused = 0;

static const char NetworkPauseRefused[] =
    "Une partie en r\xE9seau ne peut pas \xEAtre mise en pause.";

// KeyCodes of the window's own keys, tested before the game keys.
enum WindowKey {
  KeyEnter = 28, KeySpace = 57, KeyF1 = 59, KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8, KeyF9,
  KeyPause = 69
};

// The paint handler: the Playfield and the three panels again.
static void PaintWindow() {
  PresentPlayfield();
  DrawStatsPanel();
  DrawPlayersPanel();
  PresentPlayersPanel();
  PresentMessageLog();
}

static bool DialogModal() { return GameMode == Solo; }

void OpenNetworkDialog() { OpenDialog(NetworkDialog, DialogModal()); }

static void OpenKeyboardDialog() { OpenDialog(KeyboardDialog, DialogModal()); }

static void ToggleSound() {
  SoundOn = !SoundOn;
  WriteToggle(SoundOn, CmdSound, "Bruitages");
}

void ToggleMusic() {
  MusicOn = !MusicOn;
  WriteToggle(MusicOn, CmdMusic, "Musique");
  RestartMusic();
}

static void TogglePatterns() {
  PatternMode = PatternMode ? 0 : ImageLoaded ? 1 : 0;
  WriteToggle(PatternMode, CmdPatterns, "Motifs");
  RedrawBoard();
  PaintWindow();
}

static void ToggleGhost() {
  GhostMode = !GhostMode;
  WriteToggle(GhostMode, CmdGhost, "Fantome");
  // A finished match keeps its last picture; only a ghost left on it goes.
  if (MatchOver) HideGhost();
  else RedrawGhost();
  PresentPlayfield();
}

// The loop then waits for messages without a timeout, exactly as for an inactive window.
static void PauseMatch() {
  Paused = 1;
  PollFlag = 0;
  PlayfieldHidden = 1;
  BlankPlayfield();
  AppendMessage("Pause", GreenText);
}

// A key or command has just arrived, so the window is active again.
static void ResumeMatch() {
  Paused = 0;
  PlayfieldHidden = 0;
  PollFlag = 1 | GameMode;
  // The Piece then waits a full StepInterval, however long the pause lasted.
  LastStepTime = TickCount();
  PresentPlayfield();
  AppendMessage("Reprise", GreenText);
}

// Pauses a running Solo match, or resumes a paused one; a network match cannot be paused.
static void TogglePause() {
  if (Paused) ResumeMatch();
  else if (GameMode != Solo) AppendMessage(NetworkPauseRefused, RedText);
  else if (!MatchOver) PauseMatch();
}

// A new game replaces the paused match; a cancelled F2 leaves the old one running.
static void EndPause() {
  if (Paused) ResumeMatch();
}

static void StartGameUnpaused(int32_t mode) {
  EndPause();
  StartGame(mode);
}

// The window's keys win over the game keys: a game key set to one of them never reaches the game.
static bool WindowKeyDown(int32_t k) {
  switch (k) {
    case KeyEnter: OpenDialog(ChatDialog, DialogModal()); return true;
    case KeySpace: RequestStart(); return true;
    case KeyF1: ShowScoreTable(99); return true;
    case KeyF2: StartGameUnpaused(Solo); return true;
    case KeyF3: StartGameUnpaused(Server); return true;
    case KeyF4: EndPause(); JoinNetworkGame(); return true;
    case KeyF5: OpenNetworkDialog(); return true;
    case KeyF6: OpenKeyboardDialog(); return true;
    case KeyF7: ToggleSound(); return true;
    case KeyF8: ToggleMusic(); return true;
    case KeyF9: TogglePatterns(); return true;
    case KeyPause: TogglePause(); return true;
    default: return false;
  }
}

static bool IsGameKey(int32_t k) {
  return k == KeyLeft || k == KeyRight || k == KeyDown || k == KeyRotLeft || k == KeyRotRight;
}

// While paused a game key only wakes the game: the Piece does not move for it.
static void DispatchKeyDown(int32_t k) {
  if (WindowKeyDown(k)) return;
  if (Paused) {
    if (IsGameKey(k)) ResumeMatch();
  } else if (!MatchOver) {
    GameKeyDown(k);
  }
}

static void Command(int32_t command) {
  static const int32_t Keys[] = {KeyF2, KeyF3, KeyF4, KeyF1, 0,       KeyF5,
                                 KeyF6, KeyF7, KeyF8, KeyF9, KeyPause};
  if (command == CmdQuit || command == CmdQuitAlias) DestroyMainWindow();
  else if (command == CmdGhost) ToggleGhost();
  else if (command >= CmdSolo && command <= CmdPause) WindowKeyDown(Keys[command - CmdSolo]);
}

// A paused match stays still and hidden whatever the activation.
static void Activate(bool active) {
  PollFlag = Paused ? 0 : int32_t(active) | GameMode;
  if (PollFlag) PresentPlayfield();
  else BlankPlayfield();
}

void WindowProcedure(const Message& m) {
  switch (m.kind) {
    case MsgDestroy:
      LeaveGame();
      PostMessage(MsgQuit, 0);
      break;
    case MsgMove:
      PosX = m.a & 0xFFFF;
      PosY = m.b & 0xFFFF;
      WindowPlaced = true;
      break;
    case MsgPaint: PaintWindow(); break;
    case MsgActivate: Activate(m.a != 0); break;
    case MsgKeyDown: DispatchKeyDown(m.a & 0x1FF); break;
    case MsgKeyUp: GameKeyUp(m.a & 0x1FF); break;
    case MsgCommand: Command(m.a & 0xFFFF); break;
    case MsgMusicNotice: HandleMusicNotice(m.a); break;
    case MsgQuit: break;
  }
}
