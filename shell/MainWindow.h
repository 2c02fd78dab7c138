// The main window's procedure: key dispatch, menu commands and the option toggles.
#pragma once
#include <cstdint>

#include "shell/platform/Messages.h"

// Nonzero while the program is the active application or a network game runs.
extern int32_t PollFlag;

// Set while a Solo match is paused: no GameTick, the Playfield hidden.
extern uint8_t Paused;

// Handles one message of the main window.
void WindowProcedure(const Message& m);

void OpenNetworkDialog();

// F4: joins the server set; with none set, the one game found on the LAN, or
// else opens the network dialog on the games found.
void JoinNetworkGame();

void ToggleMusic();
