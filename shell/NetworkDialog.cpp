// Dialog 106: the alias, the server to join, the number of players per game, and the games found.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/Panels.h"
#include "net/Discovery.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/DialogProcs.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"


// The list grows as answers come in, one look every step.
constexpr int SearchStepMs = 100;

static int g_stepsLeft = 0;       // steps until the search ends; 0 when none runs
static bool g_showFound = false;  // the dialog opens on the games F4 has just found
static bool g_chose = false;
static FoundGame g_chosen;        // the game last chosen in the list

// A game on another port than NetPort says so: joining it takes that port too.
static void EntryText(const FoundGame& g, char* out, int size) {
  char address[24];
  FoundAddressText(g, address, sizeof address);
  int port = FoundPort(g);
  char where[32];
  if (port == int(NetPort & 0xFFFF)) std::snprintf(where, sizeof where, "%s", address);
  else std::snprintf(where, sizeof where, "%s:%d", address, port);
  std::snprintf(out, size_t(size), "%s  %s  %d/%d  %s", g.alias, where, g.players, g.maxPlayers,
                g.running ? "en cours" : "en attente");
}

static void ListGames(DialogWindow* d, bool finished) {
  ClearEntries(d, GameList);
  char text[96];
  for (int i = 0; i < FoundCount; ++i) {
    EntryText(FoundGames[i], text, sizeof text);
    AddComboEntry(d, GameList, text);
  }
  if (finished && FoundCount == 0) AddComboEntry(d, GameList, "Aucune partie trouv\xE9" "e");
}

static void Search(DialogWindow* d) {
  g_chose = false;
  ClearEntries(d, GameList);
  if (StartSearch() != 0) {
    ListGames(d, true);
    return;
  }
  g_stepsLeft = SearchTimeMs / SearchStepMs;
  StartDialogTimer(d, SearchStepMs);
}

// The list is rebuilt only when it grew, so an entry already chosen stays chosen.
static void SearchStep(DialogWindow* d) {
  if (g_stepsLeft <= 0) return;
  int before = FoundCount;
  CollectAnswers();
  if (--g_stepsLeft > 0) {
    if (FoundCount != before) ListGames(d, false);
    StartDialogTimer(d, SearchStepMs);
  } else {
    EndSearch();
    ListGames(d, true);
  }
}

static void Choose(DialogWindow* d) {
  int i = ChosenEntry(d, GameList);
  if (i < 0 || i >= FoundCount) return;
  g_chosen = FoundGames[i];
  g_chose = true;
  char address[24];
  FoundAddressText(g_chosen, address, sizeof address);
  SetItemText(d, ServerField, address);
}

// The chosen game's port comes along only while "Serveur" still names that game.
static void TakeChosenPort() {
  if (!g_chose) return;
  char address[24];
  FoundAddressText(g_chosen, address, sizeof address);
  int port = FoundPort(g_chosen);
  if (std::strcmp(address, ServerName) != 0 || port == int(NetPort & 0xFFFF)) return;
  NetPort = port;
  WriteSettingInt("Reseau", "Port", NetPort);
}

static void Open(DialogWindow* d) {
  g_stepsLeft = 0;
  g_chose = false;
  if (g_showFound) ListGames(d, true);
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
  TakeChosenPort();
  char alias[sizeof Alias];
  GetItemText(d, AliasField, alias, sizeof alias);
  TrimSpaces(alias);
  if (!alias[0]) return false;
  std::memcpy(Alias, alias, sizeof Alias);
  WriteSettingText("Reseau", "Alias", Alias);
  Rename();
  return true;
}

static void Close(DialogWindow* d, int result) {
  g_stepsLeft = 0;
  EndSearch();
  CloseDialog(d, result);
}

void NetworkDialogProc(DialogWindow* d, DialogEvent e, int value) {
  if (e == DialogInit) Open(d);
  if (e == DialogTimer) SearchStep(d);
  if (e != DialogCommand) return;
  if (value == DialogCancel) Close(d, DialogCancel);
  else if (value == DialogOk && TakeFields(d)) Close(d, DialogOk);
  else if (value == SearchButton) Search(d);
  else if (value == GameList) Choose(d);
}

// Only a "Serveur" left blank asks the LAN; the one game that answers is
// joined at once, any other count is shown in the dialog to choose from. The
// game found stays the server of this session only: the file keeps "Serveur"
// blank, so the next start of the program searches again.
void JoinNetworkGame() {
  char server[sizeof ServerName];
  std::memcpy(server, ServerName, sizeof server);
  TrimSpaces(server);
  if (server[0]) {
    StartGame(Client);
    return;
  }
  int found = StartSearch() == 0 ? ListenForAnswers(JoinSearchMs) : 0;
  EndSearch();
  if (found == 1) {
    FoundAddressText(FoundGames[0], ServerName, sizeof ServerName);
    NetPort = FoundPort(FoundGames[0]);
    StartGame(Client);
    return;
  }
  g_showFound = true;
  OpenNetworkDialog();
  g_showFound = false;
}
