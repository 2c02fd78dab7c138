// The one rule for every dialog: a running Solo match hides behind it; one modeless dialog at most.
#include "shell/Dialogs.h"

#include "display/Playfield.h"
#include "net/GameState.h"
#include "resources/Resources.h"
#include "shell/DialogProcs.h"
#include "shell/platform/Dialog.h"

DialogWindow* ModelessDialog = nullptr;

struct DialogEntry {
  DialogId id;
  DialogProc proc;
};

static const DialogEntry Procedures[] = {
    {GameParametersDialog, ParametersDialogProc},
    {ChatDialog, ChatDialogProc},
    {ScoreDialog, ScoreTableProc},
    {NetworkDialog, NetworkDialogProc},
    {KeyboardDialog, KeyboardDialogProc},
};

static DialogProc FindProc(DialogId id) {
  for (const DialogEntry& e : Procedures)
    if (e.id == id) return e.proc;
  return nullptr;
}

static bool SoloMatchRunning() { return !MatchOver && GameMode == Solo; }

int OpenDialog(DialogId id, bool modal) {
  const DialogTemplate* t = FindDialogTemplate(id);
  DialogProc proc = FindProc(id);
  if (!t || !proc) return 0;
  if (SoloMatchRunning()) BlankPlayfield();
  int result = 0;
  if (modal) result = RunModalDialog(*t, proc);
  else if (!ModelessDialog) ModelessDialog = CreateModelessDialog(*t, proc);
  if (SoloMatchRunning()) PresentPlayfield();
  return result;
}

void CloseDialog(DialogWindow* d, int result) {
  if (d == ModelessDialog) {
    DestroyDialog(d);
    ModelessDialog = nullptr;
  } else {
    EndModalDialog(d, result);
  }
}
