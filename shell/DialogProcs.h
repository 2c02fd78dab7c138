// The procedures of the program's dialogs.
#pragma once

#include "shell/platform/Dialog.h"

// 103 "Paramètres jeu": Level and StartHeight before a Solo or Server game.
void ParametersDialogProc(DialogWindow* d, DialogEvent e, int value);

// 104 "Message": one chat line, shown here and sent to the other players.
void ChatDialogProc(DialogWindow* d, DialogEvent e, int value);

// 105 "Meilleurs scores": the Solo high scores or the players' results.
void ScoreTableProc(DialogWindow* d, DialogEvent e, int value);

// 106 "Configuration réseau": alias, server and players per game.
void NetworkDialogProc(DialogWindow* d, DialogEvent e, int value);

// 107 "Configuration clavier": the five game keys, captured as they are pressed.
void KeyboardDialogProc(DialogWindow* d, DialogEvent e, int value);
