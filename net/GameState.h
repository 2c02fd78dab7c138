// What kind of game runs, who plays in it, and the start and end of its matches.
#pragma once
#include <cstdint>

#include "game/Players.h"

enum GameModeValue : int32_t { Solo = 0, Server = 1, Client = 2 };

extern int32_t GameMode;
extern uint8_t StartRequest;

// Sets up a game of the given mode (F2, F3, F4): asks, leaves the old game, resets.
void StartGame(int32_t mode);

// Resets the match state; full also sets up a new game of the given mode.
void ResetGame(bool full, int32_t mode = Solo);

// Starts a match for every player in the table.
void StartMatch();

// The number of players marked 'O'.
int CountAlive();

// Tells the other machines that this one leaves, and closes the network.
void LeaveGame();

// Space: the Server asks for a match start when at most one player is alive.
void RequestStart();

// One pass of the game: gravity, then the network, then a pending match start.
void GameTick();
