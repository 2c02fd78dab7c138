// Opening and closing the program's dialogs: modal in Solo, modeless in network games.
#pragma once

struct DialogWindow;

enum DialogId { GameParametersDialog = 103, ChatDialog = 104, ScoreDialog = 105,
                NetworkDialog = 106, KeyboardDialog = 107 };

enum DialogResult { DialogOk = 1, DialogCancel = 2 };

// The one open modeless dialog, or nullptr.
extern DialogWindow* ModelessDialog;

// Opens a dialog. Modal: returns the value it ended with. Modeless: returns 0,
// and a request while another modeless dialog is open is dropped.
int OpenDialog(DialogId id, bool modal);

// Closes a dialog with a result, modeless or modal alike.
void CloseDialog(DialogWindow* d, int result);
