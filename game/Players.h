// The players' counters that the rules keep and the panels show: the PlayerTable and who plays.
#pragma once
#include <cstdint>

struct PlayerEntry {
  char name[36];
  int32_t score;
  int32_t lines;
  int32_t height;
};

constexpr int MaxTablePlayers = 8;
constexpr int32_t UnassignedIndex = 99;

extern PlayerEntry PlayerTable[MaxTablePlayers];
extern int32_t HighestIndex;
extern char AliveFlags[MaxTablePlayers + 1];  // 'O' playing, 'N' not; HighestIndex + 1 of them
extern int32_t MyIndex;
extern uint8_t MatchOver;

// The local player's row: MyIndex, or 0 while MyIndex is unassigned.
int LocalRow();

// The local player's PlayerEntry.
PlayerEntry& LocalEntry();
