// Key names under Qt: fixed French names, and for character keys the character the
// X server's active layout types on that key; a US keyboard where no X server answers.
#include <QGuiApplication>
#include <QString>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include "shell/platform/KeyNames.h"
#include "shell/platform/qt/QtBackend.h"

// X keycodes are the native codes of key events; the inverse of the key events' mapping.
static int NativeOf(int keyCode) {
  for (unsigned native = 8; native < 256; ++native)
    if (KeyCodeFromNative(native) == keyCode) return int(native);
  return 0;
}

xcb_connection_t* XConnection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// Dead keys type nothing alone; they are named by the accent they put on the next letter.
static char32_t SpacingAccent(xkb_keysym_t sym) {
  switch (sym) {
    case XKB_KEY_dead_circumflex: return U'^';
    case XKB_KEY_dead_diaeresis: return U'\u00A8';
    case XKB_KEY_dead_grave: return U'`';
    case XKB_KEY_dead_acute: return U'\u00B4';
    case XKB_KEY_dead_tilde: return U'~';
    case XKB_KEY_dead_cedilla: return U'\u00B8';
    default: return 0;
  }
}

// The unshifted character of a key in the layout now in effect, 0 for none.
static char32_t LayoutCharacter(xkb_keymap* keymap, xkb_state* state, int native) {
  xkb_layout_index_t layout = xkb_state_key_get_layout(state, xkb_keycode_t(native));
  if (layout == XKB_LAYOUT_INVALID) return 0;
  const xkb_keysym_t* syms = nullptr;
  int count = xkb_keymap_key_get_syms_by_level(keymap, xkb_keycode_t(native), layout, 0, &syms);
  if (count < 1) return 0;
  char32_t c = xkb_keysym_to_utf32(syms[0]);
  return c >= 0x20 ? c : SpacingAccent(syms[0]);
}

// Asks the server for its keymap each time, so a layout switched meanwhile counts.
static char32_t ServerCharacter(int keyCode) {
  xcb_connection_t* c = XConnection();
  int native = NativeOf(keyCode);
  if (!c || !native) return 0;
  static bool ready = xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                                  XKB_X11_MIN_MINOR_XKB_VERSION,
                                                  XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr,
                                                  nullptr, nullptr, nullptr) == 1;
  if (!ready) return 0;
  int32_t device = xkb_x11_get_core_keyboard_device_id(c);
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap =
      context ? xkb_x11_keymap_new_from_device(context, c, device, XKB_KEYMAP_COMPILE_NO_FLAGS)
              : nullptr;
  xkb_state* state = keymap ? xkb_x11_state_new_from_device(keymap, c, device) : nullptr;
  char32_t result = state ? LayoutCharacter(keymap, state, native) : 0;
  xkb_state_unref(state);
  xkb_keymap_unref(keymap);
  xkb_context_unref(context);
  return result;
}

// Upper case, as the keys are labelled; a character Windows-1252 lacks names nothing.
static char CharacterByte(char32_t c) {
  QString upper = QString::fromUcs4(&c, 1).toUpper();
  QByteArray bytes = ToCp1252(upper);
  if (bytes.size() != 1 || (bytes[0] == '?' && c != U'?')) return 0;
  return bytes[0];
}

void KeyName(int keyCode, char* out, int size) {
  char character = 0;
  if (!FixedKeyName(keyCode)) {
    char32_t c = ServerCharacter(keyCode);
    character = c ? CharacterByte(c) : UsLayoutCharacter(keyCode);
  }
  ComposeKeyName(keyCode, character, out, size);
}
