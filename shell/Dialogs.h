// Opening and closing the program's dialogs: modal in Solo, modeless in network games.
#pragma once

#include "resources/Identifiers.h"

struct DialogWindow;

// The one open modeless dialog, or nullptr.
extern DialogWindow* ModelessDialog;

// Opens a dialog. Modal: returns the value it ended with. Modeless: returns 0,
// and a request while another modeless dialog is open is dropped.
int OpenDialog(DialogId id, bool modal);

// Closes a dialog with a result, modeless or modal alike.
void CloseDialog(DialogWindow* d, int result);
