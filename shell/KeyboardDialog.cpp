// Dialog 107: the five game keys, each taken from the key pressed in its field.
#include "game/Falling.h"
#include "shell/DialogProcs.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/KeyNames.h"


struct GameKey {
  int32_t* code;
  const char* setting;
};

static const GameKey Keys[KeyFieldCount] = {
    {&KeyLeft, "Gauche"}, {&KeyRight, "Droite"}, {&KeyDown, "Bas"},
    {&KeyRotLeft, "Rotg"}, {&KeyRotRight, "Rotd"},
};

static void ShowKey(DialogWindow* d, int field) {
  char name[32];
  KeyName(*Keys[field].code, name, sizeof name);
  SetItemText(d, FirstKeyField + field, name);
}

static void Open(DialogWindow* d) {
  CaptureKeys(d, true);
  for (int i = 0; i < KeyFieldCount; ++i) ShowKey(d, i);
  FocusItem(d, FirstKeyField, false);
}

// The new code is live at once: in a network game the dialog is modeless and
// the game goes on with the key while the dialog is still open.
static void Capture(DialogWindow* d, int keyCode) {
  int field = FocusedItem(d) - FirstKeyField;
  if (field < 0 || field >= KeyFieldCount) return;
  *Keys[field].code = keyCode;
  ShowKey(d, field);
}

// Both ways out reload the settings: after cancel that brings back the stored keys.
static void Close(DialogWindow* d, int result) {
  if (result == DialogOk)
    for (const GameKey& k : Keys) WriteSettingInt("Clavier", k.setting, *k.code);
  CaptureKeys(d, false);
  LoadSettings();
  CloseDialog(d, result);
}

void KeyboardDialogProc(DialogWindow* d, DialogEvent e, int value) {
  if (e == DialogInit) Open(d);
  else if (e == DialogKey) Capture(d, value & 0x1FF);
  else if (e == DialogCommand && (value == DialogOk || value == DialogCancel)) Close(d, value);
}
