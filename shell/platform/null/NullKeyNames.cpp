// Headless key names: the layout is a US keyboard's.
#include "shell/platform/KeyNames.h"

void KeyName(int keyCode, char* out, int size) {
  ComposeKeyName(keyCode, UsLayoutCharacter(keyCode), out, size);
}
