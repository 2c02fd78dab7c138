// Dialog 106: the alias, the server to join and the number of players per game.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/Panels.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/DialogProcs.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"

enum { AliasField = 1014, ServerField = 1015, MaxField = 1016 };

static void Open(DialogWindow* d) {
  SetItemText(d, AliasField, Alias);
  SetItemText(d, ServerField, ServerName);
  char text[12];
  for (int i = 1; i <= 8; ++i) {
    std::snprintf(text, sizeof text, "%d", i);
    AddComboEntry(d, MaxField, text);
  }
  SelectComboEntry(d, MaxField, MaxPlayers - 1);
  FocusItem(d, AliasField, true);
}

static bool TakeMaxPlayers(DialogWindow* d) {
  char text[100];
  GetItemText(d, MaxField, text, sizeof text);
  long value = std::strtol(text, nullptr, 10);
  if (value < 1 || value > 8) {
    ShowErrorBox(d, "Le maximum doit \xEAtre compris entre 1 et 8.");
    return false;
  }
  MaxPlayers = int32_t(value);
  WriteSettingText("Reseau", "Max", text);
  return true;
}

// Only a real change of name is told to the others and shown in the PlayersPanel.
static void Rename() {
  PlayerEntry& local = LocalEntry();
  if (std::strcmp(Alias, local.name) == 0) return;
  std::snprintf(ExchangeBuffer, ExchangeSize, "R%02d%s", LocalRow(), Alias);
  PublishMessage();
  std::snprintf(local.name, sizeof local.name, "%s", Alias);
  DrawPlayersPanel();
}

// Max and Serveur are stored before the alias is checked, so an empty alias
// keeps the dialog open with them already written.
static bool TakeFields(DialogWindow* d) {
  if (!TakeMaxPlayers(d)) return false;
  GetItemText(d, ServerField, ServerName, sizeof ServerName);
  WriteSettingText("Reseau", "Serveur", ServerName);
  char alias[sizeof Alias];
  GetItemText(d, AliasField, alias, sizeof alias);
  TrimSpaces(alias);
  if (!alias[0]) return false;
  std::memcpy(Alias, alias, sizeof Alias);
  WriteSettingText("Reseau", "Alias", Alias);
  Rename();
  return true;
}

void NetworkDialogProc(DialogWindow* d, DialogEvent e, int value) {
  if (e == DialogInit) Open(d);
  if (e != DialogCommand) return;
  if (value == DialogCancel) CloseDialog(d, DialogCancel);
  else if (value == DialogOk && TakeFields(d)) CloseDialog(d, DialogOk);
}
