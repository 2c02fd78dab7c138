// Key names: each back end's KeyName, and what they all share: the French names of the keys
// that type no character, and the characters of a US keyboard for back ends that cannot ask
// the layout.
#pragma once

// French name of a KeyCode as the keyboard layout in use names it, at most
// size - 1 bytes of Windows-1252; empty for a key that has no name.
void KeyName(int keyCode, char* out, int size);

// The name a French keyboard gives a key whatever its layout (arrows, modifiers,
// function and keypad keys), or nullptr for a key that types a layout's character.
const char* FixedKeyName(int keyCode);

// The upper-case character a US layout types on a KeyCode, or 0 when it types none.
char UsLayoutCharacter(int keyCode);

// The name of a key from the fixed names, then from a character (0: none), into out.
void ComposeKeyName(int keyCode, char character, char* out, int size);
