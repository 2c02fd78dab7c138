// Test controls of the headless dialogs: scripted answers and what was shown.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct DialogWindow;

// What a test does with a dialog once it is open: set texts, press buttons, keys.
using DialogScript = std::function<void(DialogWindow*)>;

// The next modal dialog runs this script, and is cancelled (DialogCancel) if the
// script leaves it open. A modeless dialog stays open: tests drive it through
// ModelessDialog once OpenDialog has returned.
void NullScriptNextDialog(DialogScript script);

// Sends a command (a button id, DialogOk for Enter, DialogCancel for Escape) to a dialog.
void NullPressButton(DialogWindow* d, int id);

// Sends a key press (a KeyCode) to a dialog's focused field.
void NullPressKey(DialogWindow* d, int keyCode);

// The user chooses entry index of a list box: the dialog gets the list box's command.
void NullChooseEntry(DialogWindow* d, int id, int index);

// The milliseconds of the timer the dialog asked for, 0 when none is pending;
// firing it sends the dialog its DialogTimer event.
int NullPendingTimer(DialogWindow* d);
void NullFireTimer(DialogWindow* d);

// Text of a control, entries of a combo box or list box, whether the dialog is still open.
std::string NullItemText(DialogWindow* d, int id);
std::vector<std::string> NullComboEntries(DialogWindow* d, int id);

// Whether a control is shown, whether its text is underlined.
bool NullItemVisible(DialogWindow* d, int id);
bool NullItemUnderlined(DialogWindow* d, int id);

// Message boxes shown since the last call, oldest first; the list is emptied.
std::vector<std::string> NullTakeErrorBoxes();

// Ids of the dialogs opened so far, oldest first; the list is emptied.
std::vector<int> NullTakeOpenedDialogs();
