// Headless dialogs: controls are texts in memory and a test script plays the user.
#include "shell/platform/null/NullDialog.h"

#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "resources/Resources.h"
#include "shell/platform/Dialog.h"

// Each back end has its own DialogWindow; no program links two back ends.
// cppcheck-suppress ctuOneDefinitionRuleViolation
struct DialogWindow {
  const DialogTemplate* t;
  DialogProc proc;
  std::map<int, std::string> texts;
  std::map<int, std::vector<std::string>> entries;
  int focus = -1;
  bool captureKeys = false;
  bool ended = false;
  int result = 0;
  std::set<int> hidden = {};
  std::set<int> underlined = {};
  std::map<int, int> chosen = {};
  int timerMs = 0;  // 0: none pending
};

static DialogScript g_nextScript;
static std::vector<std::string> g_errorBoxes;
static std::vector<int> g_opened;

void NullScriptNextDialog(DialogScript script) { g_nextScript = std::move(script); }

static DialogWindow* Open(const DialogTemplate& t, DialogProc proc) {
  auto* d = new DialogWindow{&t, proc, {}, {}};
  for (int i = 0; i < t.count; ++i) {
    const ControlTemplate& c = t.controls[i];
    if (c.id < 0) continue;
    d->texts[c.id] = c.text;
    if (c.kind == EditHidden) d->hidden.insert(c.id);
  }
  g_opened.push_back(t.id);
  proc(d, DialogInit, 0);
  return d;
}

static void RunScript(DialogWindow* d) {
  DialogScript script = std::move(g_nextScript);
  g_nextScript = nullptr;
  if (script) script(d);
}

int RunModalDialog(const DialogTemplate& t, DialogProc proc) {
  DialogWindow* d = Open(t, proc);
  RunScript(d);
  if (!d->ended) d->proc(d, DialogCommand, DialogCancel);
  int result = d->ended ? d->result : 2;
  delete d;
  return result;
}

DialogWindow* CreateModelessDialog(const DialogTemplate& t, DialogProc proc) {
  return Open(t, proc);
}

void EndModalDialog(DialogWindow* d, int value) {
  d->ended = true;
  d->result = value;
}

void DestroyDialog(DialogWindow* d) { delete d; }

int DialogTemplateId(DialogWindow* d) { return d->t->id; }

void GetItemText(DialogWindow* d, int id, char* out, int size) {
  std::snprintf(out, size_t(size), "%s", d->texts[id].c_str());
}

void SetItemText(DialogWindow* d, int id, const char* text) { d->texts[id] = text; }

void AddComboEntry(DialogWindow* d, int id, const char* text) { d->entries[id].push_back(text); }

void SelectComboEntry(DialogWindow* d, int id, int index) {
  const std::vector<std::string>& list = d->entries[id];
  if (index >= 0 && size_t(index) < list.size()) d->texts[id] = list[size_t(index)];
}

void FocusItem(DialogWindow* d, int id, bool) { d->focus = id; }

int FocusedItem(DialogWindow* d) { return d->focus; }

void ClearEntries(DialogWindow* d, int id) {
  d->entries[id].clear();
  d->chosen.erase(id);
}

int ChosenEntry(DialogWindow* d, int id) {
  auto it = d->chosen.find(id);
  return it == d->chosen.end() ? -1 : it->second;
}

void StartDialogTimer(DialogWindow* d, int ms) { d->timerMs = ms > 0 ? ms : 1; }

void NullChooseEntry(DialogWindow* d, int id, int index) {
  d->chosen[id] = index;
  if (!d->ended) d->proc(d, DialogCommand, id);
}

int NullPendingTimer(DialogWindow* d) { return d->timerMs; }

void NullFireTimer(DialogWindow* d) {
  if (d->timerMs == 0 || d->ended) return;
  d->timerMs = 0;
  d->proc(d, DialogTimer, 0);
}

void CaptureKeys(DialogWindow* d, bool on) { d->captureKeys = on; }

void PlaceItem(DialogWindow*, int, int, int, int, int) {}

void ShowItem(DialogWindow* d, int id, bool shown) {
  if (shown) d->hidden.erase(id);
  else d->hidden.insert(id);
}

void UnderlineItem(DialogWindow* d, int id) { d->underlined.insert(id); }

void ShowErrorBox(DialogWindow*, const char* text) { g_errorBoxes.push_back(text); }

void NullPressButton(DialogWindow* d, int id) {
  if (!d->ended) d->proc(d, DialogCommand, id);
}

void NullPressKey(DialogWindow* d, int keyCode) {
  if (d->captureKeys) d->proc(d, DialogKey, keyCode);
}

std::string NullItemText(DialogWindow* d, int id) { return d->texts[id]; }

std::vector<std::string> NullComboEntries(DialogWindow* d, int id) { return d->entries[id]; }


bool NullItemVisible(DialogWindow* d, int id) { return d->hidden.count(id) == 0; }

bool NullItemUnderlined(DialogWindow* d, int id) { return d->underlined.count(id) != 0; }


std::vector<std::string> NullTakeErrorBoxes() { return std::exchange(g_errorBoxes, {}); }

std::vector<int> NullTakeOpenedDialogs() { return std::exchange(g_opened, {}); }
