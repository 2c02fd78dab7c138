// One reset for every module's globals, so that cases pass in any order.
#include "tests/ProgramState.h"

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Messages.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"

void ResetProgramState() {
  if (ModelessDialog) CloseDialog(ModelessDialog, DialogCancel);
  CloseNet();
  ConnectLayers();
  NullSetClock(1000);
  Paused = 0;
  PollFlag = 1;
  PatternMode = GhostMode = PlayfieldHidden = 0;
  SoundOn = MusicOn = 1;
  Level = StartHeight = 0;
  ResetGame(true, Solo);
  CreatePanelSurfaces();
  LogHeld = false;
  Message left;
  while (TakeMessage(&left)) continue;  // what a case posted and never handled
  NullResetRecords();
  NullTakeErrorBoxes();
  NullTakeOpenedDialogs();
}
