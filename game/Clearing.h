// Locking the landed Piece: full rows, points, levels, penalty rows; and the Board's reset.
#pragma once
#include <cstdint>

extern int32_t Level;
extern int32_t LastClearCount;
extern int32_t FulrowCount;
extern int32_t PendingPenalty;
extern int32_t StartHeight;

// The seed of GameRandom for a match, 0..255: equal on every machine of a network game.
extern uint32_t MatchSeed;

// Most penalty rows one lock can insert: every row of the grid above the floor.
constexpr int32_t MaxPenaltyRows = 22;

// Settles the Piece, removes and scores full rows, inserts penalty rows, spawns the next Piece.
void LockPiece();

// Seeds GameRandom with MatchSeed and builds the Board with StartHeight garbage rows.
void ResetBoard();
