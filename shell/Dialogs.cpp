// Dialogs: every request is refused until the window can show them.
#include "shell/Dialogs.h"

int OpenDialog(DialogId, bool) { return DialogRefused; }
