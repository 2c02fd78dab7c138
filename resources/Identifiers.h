// The program's numbered things, named once: dialogs and their controls, menu commands and
// the default game keys. Templates, dialog code, back ends and tests all use these names.
#pragma once
#include <cstdint>

enum DialogId { GameParametersDialog = 103, ChatDialog = 104, ScoreDialog = 105,
                NetworkDialog = 106, KeyboardDialog = 107 };

// The two buttons every dialog shares; a dialog ends with the one pressed.
enum DialogResult { DialogOk = 1, DialogCancel = 2 };

// Controls, by dialog.
enum ControlId {
  ChatField = 1000,                                   // 104
  LevelField = 1001, HeightField = 1002,              // 103
  ScoreNameField = 1003, FirstScoreLine = 1004,       // 105: ten lines, 1004..1013
  AliasField = 1014, ServerField = 1015, MaxField = 1016,  // 106
  FirstKeyField = 1017,                               // 107: the five keys, 1017..1021
  SearchButton = 1022, GameList = 1023,               // 106
};
constexpr int KeyFieldCount = 5;

enum MenuCommand {
  CmdSolo = 40001, CmdCreate, CmdJoin, CmdScores, CmdQuit, CmdNetwork, CmdKeyboard,
  CmdSound, CmdMusic, CmdPatterns,
  CmdPause, CmdGhost,  // additions after the original ten, which keep their numbers
  CmdQuitAlias = 105,  // an old number for CmdQuit, still obeyed
};

// The five game keys before the settings say otherwise (KeyCodes: scan code, plus 0x100
// for an extended key): left, right, soft drop, rotate left, rotate right.
constexpr int32_t DefaultKeyLeft = 331;      // left arrow
constexpr int32_t DefaultKeyRight = 333;     // right arrow
constexpr int32_t DefaultKeyDown = 336;      // down arrow
constexpr int32_t DefaultKeyRotLeft = 29;    // left Ctrl
constexpr int32_t DefaultKeyRotRight = 328;  // up arrow
