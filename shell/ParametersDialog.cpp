// Dialog 103: the Level and starting height of the next game.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "game/Clearing.h"
#include "resources/Identifiers.h"
#include "shell/DialogProcs.h"
#include "shell/Settings.h"


// A stored value out of range selects the nearest entry, so that the field is never empty.
static void FillNumbers(DialogWindow* d, int id, int last, int selected) {
  char text[12];
  for (int i = 0; i <= last; ++i) {
    std::snprintf(text, sizeof text, "%d", i);
    AddComboEntry(d, id, text);
  }
  SelectComboEntry(d, id, std::clamp(selected, 0, last));
}

static void Open(DialogWindow* d) {
  ReadIntSetting("Jeu", "Niveau", 0, &Level);
  ReadIntSetting("Jeu", "Hauteur", 0, &StartHeight);
  FillNumbers(d, LevelField, 20, Level);
  FillNumbers(d, HeightField, 15, StartHeight);
  FocusItem(d, LevelField, false);
}

// Takes one field's number; out of range shows the message and refuses, in
// range stores it with the field's own text, letters and all.
static bool TakeField(DialogWindow* d, int id, int last, const char* key, const char* error,
                      int32_t* out) {
  char text[100];
  GetItemText(d, id, text, sizeof text);
  long value = std::strtol(text, nullptr, 10);
  if (value < 0 || value > last) {
    ShowErrorBox(d, error);
    return false;
  }
  *out = int32_t(value);
  WriteSettingText("Jeu", key, text);
  return true;
}

void ParametersDialogProc(DialogWindow* d, DialogEvent e, int value) {
  if (e == DialogInit) Open(d);
  if (e != DialogCommand) return;
  if (value == DialogCancel) EndModalDialog(d, DialogCancel);
  if (value != DialogOk) return;
  if (!TakeField(d, LevelField, 20, "Niveau",
                 "Le niveau doit \xEAtre compris entre 0 et 20.", &Level))
    return;
  if (!TakeField(d, HeightField, 15, "Hauteur",
                 "La hauteur doit \xEAtre comprise entre 0 et 15.", &StartHeight))
    return;
  EndModalDialog(d, DialogOk);
}
