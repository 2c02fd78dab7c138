// The menu and dialog templates as data: one builder turns any of them into a window.
#pragma once

#include "resources/Identifiers.h"

enum ControlKind {
  DefaultButton,   // push button taking Enter
  PushButton,
  StaticRight,     // right-aligned label, not a tab stop
  StaticLeft,
  EditScrolling,   // single-line edit with border and horizontal auto-scroll
  EditFitting,     // single-line edit with border that accepts only what fits its width
  EditHidden,      // as EditFitting, hidden until the dialog shows it
  EditReadOnly,    // read-only single-line edit with border and auto-scroll
  ComboDropDown,   // drop-down combo box with an editable field and a vertical scroll bar
  SunkenHeading,   // sunken static with tab-separated columns
  ListBox,         // list with border and vertical scroll bar; choosing an entry is a command
};

struct ControlTemplate {
  int id;  // -1 for labels that nobody addresses
  ControlKind kind;
  const char* text;  // Windows-1252
  int x, y, w, h;    // dialog units
};

struct DialogTemplate {
  int id;
  const char* title;  // Windows-1252
  int w, h;           // dialog units
  bool closeBox;
  const ControlTemplate* controls;
  int count;
};

// The template of dialog 103..107, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

struct MenuItem {
  int popup;         // index into MenuPopups
  int command;       // 0 for a separator
  const char* text;  // Windows-1252; "\t" separates the function key's name
  bool checked;
};

extern const char* const MenuPopups[2];
extern const MenuItem MainMenu[];
extern const int MainMenuCount;

// Icon 102: width x height pixels, 0xAARRGGBB, drawn by the program itself.
void DrawIcon(unsigned* pixels, int size);
