// Dialogs built from templates, modal or modeless, and the error message box.
#pragma once

struct DialogTemplate;
struct DialogWindow;

enum DialogEvent { DialogInit, DialogCommand, DialogKey, DialogTimer };

// A dialog's procedure: DialogInit once it exists, DialogCommand with the
// control id (1 for Enter or OK, 2 for Escape, Annuler or the close box),
// DialogKey with a KeyCode pressed while one of its fields has the focus,
// DialogTimer when the time asked with StartDialogTimer is up.
typedef void (*DialogProc)(DialogWindow* d, DialogEvent e, int value);

// Runs the dialog in a loop of its own, main window disabled; returns the end value.
int RunModalDialog(const DialogTemplate& t, DialogProc proc);

// Creates the dialog and returns at once; it lives until DestroyDialog.
DialogWindow* CreateModelessDialog(const DialogTemplate& t, DialogProc proc);

// Ends a modal dialog with a value.
void EndModalDialog(DialogWindow* d, int value);

// Closes a modeless dialog.
void DestroyDialog(DialogWindow* d);

// The dialog's template id (103..107).
int DialogTemplateId(DialogWindow* d);

// Copies a control's text (Windows-1252), at most size - 1 bytes, NUL-terminated.
void GetItemText(DialogWindow* d, int id, char* out, int size);

// Replaces a control's text.
void SetItemText(DialogWindow* d, int id, const char* text);

// Appends an entry to a combo box's or list box's list; selects entry index (its text fills the field).
void AddComboEntry(DialogWindow* d, int id, const char* text);
void SelectComboEntry(DialogWindow* d, int id, int index);

// Empties a combo box's or list box's list.
void ClearEntries(DialogWindow* d, int id);

// The index of the list box's entry the user chose, or -1. Choosing one sends
// the list box's id as a DialogCommand.
int ChosenEntry(DialogWindow* d, int id);

// Asks for one DialogTimer event in ms milliseconds; a new request replaces
// the one pending. Closing the dialog drops it.
void StartDialogTimer(DialogWindow* d, int ms);

// Gives a control the keyboard focus, optionally with its whole text selected.
void FocusItem(DialogWindow* d, int id, bool selectAll);

// The id of the control with the focus, or -1.
int FocusedItem(DialogWindow* d);

// Moves and sizes a control; dialog units, like the template's places.
void PlaceItem(DialogWindow* d, int id, int x, int y, int w, int h);

// Shows or hides a control; a control shown lies above the ones it overlaps.
void ShowItem(DialogWindow* d, int id, bool shown);

// Draws a control's text underlined from now on.
void UnderlineItem(DialogWindow* d, int id);

// Asks for DialogKey events: every key press in the dialog's fields except Tab,
// Enter and Escape, before the field sees it.
void CaptureKeys(DialogWindow* d, bool on);

// Shows text in a blocking message box titled "Erreur" with the warning icon.
void ShowErrorBox(DialogWindow* owner, const char* text);
