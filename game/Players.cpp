// The PlayerTable and the local player's place in it.
#include "game/Players.h"

PlayerEntry PlayerTable[MaxTablePlayers];
int32_t HighestIndex = 0;
char AliveFlags[MaxTablePlayers + 1] = "N";
int32_t MyIndex = UnassignedIndex;
uint8_t MatchOver = 1;

int LocalRow() { return MyIndex == UnassignedIndex ? 0 : MyIndex; }

PlayerEntry& LocalEntry() { return PlayerTable[LocalRow()]; }
