// Dialogs of the program, opened modal or modeless by one rule.
#pragma once

enum DialogId { GameParametersDialog = 103, ChatDialog = 104, ScoreDialog = 105,
                NetworkDialog = 106, KeyboardDialog = 107 };

enum DialogResult { DialogOk = 1, DialogCancel = 2, DialogOpenedModeless = 3, DialogRefused = 0 };

// Opens a dialog; modal ones return how they were closed.
int OpenDialog(DialogId id, bool modal);
