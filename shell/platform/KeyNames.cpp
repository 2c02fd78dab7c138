// French key names, as a French keyboard layout spells them, and the US layout's characters.
#include "shell/platform/KeyNames.h"

#include <cstdio>
#include <cstring>

struct NamedKey {
  int keyCode;
  const char* name;  // Windows-1252
};

#define KEYPAD " (pav\xE9 num\xE9rique)"

static const NamedKey Names[] = {
    {0x01, "Echap"}, {0x0E, "Retour arri\xE8re"}, {0x0F, "Tab"}, {0x1C, "Entr\xE9" "e"},
    {0x1D, "Ctrl"}, {0x2A, "Maj"}, {0x36, "Maj droite"}, {0x37, "*" KEYPAD},
    {0x38, "Alt"}, {0x39, "Espace"}, {0x3A, "Verr.maj"}, {0x3B, "F1"}, {0x3C, "F2"},
    {0x3D, "F3"}, {0x3E, "F4"}, {0x3F, "F5"}, {0x40, "F6"}, {0x41, "F7"}, {0x42, "F8"},
    {0x43, "F9"}, {0x44, "F10"}, {0x45, "Pause"}, {0x46, "Arr\xEAt d\xE9" "fil"},
    {0x47, "7" KEYPAD}, {0x48, "8" KEYPAD}, {0x49, "9" KEYPAD}, {0x4A, "-" KEYPAD},
    {0x4B, "4" KEYPAD}, {0x4C, "5" KEYPAD}, {0x4D, "6" KEYPAD}, {0x4E, "+" KEYPAD},
    {0x4F, "1" KEYPAD}, {0x50, "2" KEYPAD}, {0x51, "3" KEYPAD}, {0x52, "0" KEYPAD},
    {0x53, "," KEYPAD}, {0x57, "F11"}, {0x58, "F12"},
    {0x11C, "Entr\xE9" "e" KEYPAD}, {0x11D, "Ctrl droite"}, {0x135, "/" KEYPAD},
    {0x137, "Impr.\xE9" "cran"}, {0x138, "Alt Gr"}, {0x145, "Verr.num"}, {0x146, "Attn"},
    {0x147, "Origine"}, {0x148, "Haut"}, {0x149, "Pg.pr\xE9" "c"}, {0x14B, "Gauche"},
    {0x14D, "Droite"}, {0x14F, "Fin"}, {0x150, "Bas"}, {0x151, "Pg.suiv"},
    {0x152, "Inser"}, {0x153, "Suppr"}, {0x15B, "Logo gauche"},
    {0x15C, "Logo droite"}, {0x15D, "Application"},
};

const char* FixedKeyName(int keyCode) {
  for (const NamedKey& k : Names)
    if (k.keyCode == keyCode) return k.name;
  return nullptr;
}

// Set-1 scan codes of the character keys of a US keyboard, row by row.
struct CharacterRow {
  int first;
  const char* characters;
};

static const CharacterRow UsRows[] = {
    {2, "1234567890-="}, {16, "QWERTYUIOP[]"}, {30, "ASDFGHJKL;'`"}, {43, "\\ZXCVBNM,./"},
    {86, "\\"},
};

char UsLayoutCharacter(int keyCode) {
  for (const CharacterRow& r : UsRows) {
    int at = keyCode - r.first;
    if (at >= 0 && at < int(std::strlen(r.characters))) return r.characters[at];
  }
  return 0;
}

void ComposeKeyName(int keyCode, char character, char* out, int size) {
  if (size <= 0) return;
  const char* fixed = FixedKeyName(keyCode);
  if (fixed) std::snprintf(out, size_t(size), "%s", fixed);
  else if (character) std::snprintf(out, size_t(size), "%c", character);
  else out[0] = 0;
}
