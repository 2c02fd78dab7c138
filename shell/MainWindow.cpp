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
#include "shell/platform/Window.h"

int32_t PollFlag = 1;

// KeyCodes of the window's own keys, tested before the game keys.
enum WindowKey {
  KeyEnter = 28, KeySpace = 57, KeyF1 = 59, KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8, KeyF9
};

void PaintWindow() {
  PresentPlayfield();
  DrawStatsPanel();
  DrawPlayersPanel();
  PresentMessageLog();
}

static bool DialogModal() { return GameMode == Solo; }

void OpenNetworkDialog() { OpenDialog(NetworkDialog, DialogModal()); }

void OpenKeyboardDialog() { OpenDialog(KeyboardDialog, DialogModal()); }

void ToggleSound() {
  SoundOn = !SoundOn;
  WriteToggle(SoundOn, CmdSound, "Bruitages");
}

void ToggleMusic() {
  MusicOn = !MusicOn;
  WriteToggle(MusicOn, CmdMusic, "Musique");
  RestartMusic();
}

void TogglePatterns() {
  PatternMode = PatternMode ? 0 : ImageLoaded ? 1 : 0;
  WriteToggle(PatternMode, CmdPatterns, "Motifs");
  RedrawBoard();
  PaintWindow();
}

// The window's keys win over the game keys: a game key set to one of them never reaches the game.
static bool WindowKeyDown(int32_t k) {
  switch (k) {
    case KeyEnter: OpenDialog(ChatDialog, DialogModal()); return true;
    case KeySpace: RequestStart(); return true;
    case KeyF1: ShowScoreTable(99); return true;
    case KeyF2: StartGame(Solo); return true;
    case KeyF3: StartGame(Server); return true;
    case KeyF4: StartGame(Client); return true;
    case KeyF5: OpenNetworkDialog(); return true;
    case KeyF6: OpenKeyboardDialog(); return true;
    case KeyF7: ToggleSound(); return true;
    case KeyF8: ToggleMusic(); return true;
    case KeyF9: TogglePatterns(); return true;
    default: return false;
  }
}

static void DispatchKeyDown(int32_t k) {
  if (!WindowKeyDown(k) && !MatchOver) GameKeyDown(k);
}

static void Command(int32_t command) {
  static const int32_t Keys[] = {KeyF2, KeyF3, KeyF4, KeyF1, 0, KeyF5, KeyF6, KeyF7, KeyF8, KeyF9};
  if (command == CmdQuit || command == 105) DestroyMainWindow();
  else if (command >= CmdSolo && command <= CmdPatterns) WindowKeyDown(Keys[command - CmdSolo]);
}

static void Activate(bool active) {
  PollFlag = int32_t(active) | GameMode;
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
