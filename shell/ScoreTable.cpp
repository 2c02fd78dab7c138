// Dialog 105: the high-score file in Solo, the players' results in a network game.
#include "shell/ScoreTable.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/GameState.h"
#include "resources/Resources.h"
#include "shell/DialogProcs.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/Profile.h"

char ScoreLines[ScoreLineCount][ScoreLineLength + 1];
int ScoreRank = 0;


static const char EmptyLine[] = "000000     000     -";

// Wide enough for a new line's score and lines columns, not for its name.
constexpr int NarrowedLineWidth = 47;

// The Solo table that placed a new entry and waits for its name. Only its own OK
// stores the name: a network results table left open across a change to Solo
// has no entry of its own to store.
static DialogWindow* NameDialog = nullptr;

void ShowScoreTable(int rank) {
  ScoreRank = rank;
  OpenDialog(ScoreDialog, GameMode == Solo);
}

static void SetLine(int k, const char* text) {
  std::snprintf(ScoreLines[k], sizeof ScoreLines[k], "%s", text);
}

// Reads one line without its end. A longer line is cut and its rest skipped, so
// it never spills into the next; a CR before the end comes from a file written
// with CR LF ends and is no part of the name. False at the end of the file.
static bool ReadLine(std::FILE* f, char* out) {
  int c = std::getc(f);
  if (c == EOF) return false;
  int n = 0;
  for (; c != EOF && c != '\n'; c = std::getc(f))
    if (n < ScoreLineLength) out[n++] = char(c);
  if (n > 0 && out[n - 1] == '\r') --n;
  out[n] = 0;
  return true;
}

// Lines the file lacks, or all ten without a file, show the empty-list line.
static void LoadScores() {
  RemoveUnfinishedWrite(ScoreFile);
  std::FILE* f = std::fopen(ScoreFile, "r");
  int k = 0;
  if (f) {
    while (k < ScoreLineCount && ReadLine(f, ScoreLines[k])) ++k;
    std::fclose(f);
  }
  for (; k < ScoreLineCount; ++k) SetLine(k, EmptyLine);
}

// Only the first six characters count, so scores of seven digits or more compare
// by their first six; an equal score goes above the older entry.
static long StoredScore(int k) {
  char digits[7] = {};
  std::memcpy(digits, ScoreLines[k], 6);
  return std::strtol(digits, nullptr, 10);
}

static void PlaceLocalScore() {
  const PlayerEntry& local = LocalEntry();
  if (ScoreRank != 0 || local.score == 0) return;
  for (int k = 0; k < ScoreLineCount; ++k) {
    if (local.score < StoredScore(k)) continue;
    ScoreRank = k + 1;
    for (int i = ScoreLineCount - 2; i >= k; --i) SetLine(i + 1, ScoreLines[i]);
    std::snprintf(ScoreLines[k], sizeof ScoreLines[k], "%06ld     %03d     ", long(local.score),
                  int(local.lines));
    return;
  }
}

static bool EntryPlaced() { return ScoreRank >= 1 && ScoreRank <= ScoreLineCount; }

static const ControlTemplate& Control(int id) {
  const DialogTemplate* t = FindDialogTemplate(ScoreDialog);
  for (int i = 0; i < t->count; ++i)
    if (t->controls[i].id == id) return t->controls[i];
  return t->controls[0];
}

// The new line is narrowed to its score and lines columns, and the name field,
// which lies under the lines, comes up where the name column starts.
static void OpenNameField(DialogWindow* d) {
  const ControlTemplate& line = Control(FirstScoreLine + ScoreRank - 1);
  const ControlTemplate& field = Control(ScoreNameField);
  PlaceItem(d, line.id, line.x, line.y, NarrowedLineWidth, line.h);
  PlaceItem(d, ScoreNameField, field.x, line.y, field.w, field.h);
  ShowItem(d, ScoreNameField, true);
  SetItemText(d, ScoreNameField, Alias);
  FocusItem(d, ScoreNameField, true);
  NameDialog = d;
}

static void OpenSolo(DialogWindow* d) {
  LoadScores();
  PlaceLocalScore();
  for (int k = 0; k < ScoreLineCount; ++k) SetItemText(d, FirstScoreLine + k, ScoreLines[k]);
  if (EntryPlaced()) OpenNameField(d);
  else FocusItem(d, DialogOk, false);
}

// Every player of the table, the ones still standing underlined.
static void OpenNetwork(DialogWindow* d) {
  for (int k = 0; k < ScoreLineCount; ++k) {
    ScoreLines[k][0] = 0;
    if (k <= HighestIndex && k < MaxTablePlayers) {
      const PlayerEntry& p = PlayerTable[k];
      std::snprintf(ScoreLines[k], sizeof ScoreLines[k], "%06ld     %03d     %.*s",
                    long(p.score), int(p.lines), int(sizeof p.name - 1), p.name);
      if (AliveFlags[k] == 'O') UnderlineItem(d, FirstScoreLine + k);
    }
    SetItemText(d, FirstScoreLine + k, ScoreLines[k]);
  }
  FocusItem(d, DialogOk, false);
}

// The whole list replaces the old file only once it is on the disk, so a full
// disk or a crash never leaves a cut list; a read-only file keeps the old one.
static void SaveScores() {
  std::string text;
  for (const char* line : ScoreLines) text += std::string(line) + "\n";
  ReplaceFileText(ScoreFile, text.data(), text.size());
}

// The name is cut so that its line keeps at most 98 characters.
static void TakeName(DialogWindow* d) {
  char* line = ScoreLines[ScoreRank - 1];
  size_t used = std::strlen(line);
  GetItemText(d, ScoreNameField, line + used, int(sizeof ScoreLines[0] - used));
}

void ScoreTableProc(DialogWindow* d, DialogEvent e, int value) {
  if (e == DialogInit) {
    NameDialog = nullptr;
    if (GameMode == Solo) OpenSolo(d);
    else OpenNetwork(d);
  }
  if (e != DialogCommand || (value != DialogOk && value != DialogCancel)) return;
  if (d == NameDialog) {
    if (value == DialogOk) {
      TakeName(d);
      SaveScores();
    }
    NameDialog = nullptr;
  }
  CloseDialog(d, value);
}
