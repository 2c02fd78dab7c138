// KeyCodes from Qt key events: the native code where there is one, the key itself otherwise.
#include <QKeyEvent>
#include <QString>
#include <cstdio>
#include <cstring>

#include "shell/platform/qt/QtBackend.h"

// X11 and Wayland report the evdev code plus 8. Evdev codes 1..88 are the
// set-1 scan codes themselves but for NumLock, which set 1 gives Pause's code
// plus the extended flag; the other extended keys and Pause sit further up.
struct Extended {
  unsigned evdev;
  int keyCode;
};

static const Extended ExtendedKeys[] = {
    {69, 0x145},  {119, 0x45},  {96, 0x11C},  {97, 0x11D},  {98, 0x135},  {99, 0x137},  {100, 0x138}, {102, 0x147},
    {103, 0x148}, {104, 0x149}, {105, 0x14B}, {106, 0x14D}, {107, 0x14F}, {108, 0x150},
    {109, 0x151}, {110, 0x152}, {111, 0x153}, {125, 0x15B}, {126, 0x15C}, {127, 0x15D},
    {119, 69},  // Pause: not extended, yet evdev numbers it far from the set-1 codes
};

int KeyCodeFromNative(unsigned native) {
  if (native < 8) return 0;
  unsigned evdev = native - 8;
  for (const Extended& e : ExtendedKeys)
    if (e.evdev == evdev) return e.keyCode;
  return evdev >= 1 && evdev <= 88 ? int(evdev) : 0;
}

struct QtKeyCode {
  int qtKey;
  int keyCode;
};

// For platforms without native codes: the keys of a US keyboard by what they are.
static const QtKeyCode ByKey[] = {
    {Qt::Key_Escape, 1}, {Qt::Key_Tab, 15}, {Qt::Key_Backspace, 14}, {Qt::Key_Return, 28},
    {Qt::Key_Enter, 0x11C}, {Qt::Key_Control, 29}, {Qt::Key_Shift, 42}, {Qt::Key_Alt, 56},
    {Qt::Key_Space, 57}, {Qt::Key_CapsLock, 58}, {Qt::Key_F1, 59}, {Qt::Key_F2, 60},
    {Qt::Key_F3, 61}, {Qt::Key_F4, 62}, {Qt::Key_F5, 63}, {Qt::Key_F6, 64}, {Qt::Key_F7, 65},
    {Qt::Key_F8, 66}, {Qt::Key_F9, 67}, {Qt::Key_F10, 68}, {Qt::Key_F11, 87},
    {Qt::Key_F12, 88}, {Qt::Key_Home, 0x147}, {Qt::Key_Up, 0x148}, {Qt::Key_PageUp, 0x149},
    {Qt::Key_Left, 0x14B}, {Qt::Key_Right, 0x14D}, {Qt::Key_End, 0x14F},
    {Qt::Key_Down, 0x150}, {Qt::Key_PageDown, 0x151}, {Qt::Key_Insert, 0x152},
    {Qt::Key_Delete, 0x153}, {Qt::Key_NumLock, 0x145}, {Qt::Key_Pause, 0x45},
    {Qt::Key_Print, 0x137}, {Qt::Key_AltGr, 0x138}, {Qt::Key_Menu, 0x15D},
};

// Set-1 scan codes of the character keys of a US keyboard, row by row.
static const char* const CharacterRows[] = {"1234567890-=", "QWERTYUIOP[]", "ASDFGHJKL;'`",
                                            "\\ZXCVBNM,./"};
static const int RowStarts[] = {2, 16, 30, 43};

int KeyCodeFromQtKey(int qtKey) {
  for (const QtKeyCode& k : ByKey)
    if (k.qtKey == qtKey) return k.keyCode;
  if (qtKey < 0x20 || qtKey > 0x7E) return 0;
  char c = char(qtKey);
  for (int row = 0; row < 4; ++row)
    if (const char* at = std::strchr(CharacterRows[row], c))
      return RowStarts[row] + int(at - CharacterRows[row]);
  return 0;
}

int KeyCodeOf(const QKeyEvent* e) {
  int code = KeyCodeFromNative(e->nativeScanCode());
  return code ? code : KeyCodeFromQtKey(e->key());
}
