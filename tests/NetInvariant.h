// What every datagram, however malformed, must leave true of the players' table.
#pragma once
#include <cstring>

#include "net/GameState.h"

// HighestIndex a row, AliveFlags one 'O' or 'N' per player, MyIndex a row or
// unassigned, every name terminated inside its field.
inline bool PlayerTableConsistent() {
  size_t alive = strnlen(AliveFlags, sizeof AliveFlags);
  bool rows = HighestIndex >= 0 && HighestIndex < MaxTablePlayers && alive == size_t(HighestIndex + 1);
  bool mine = MyIndex == UnassignedIndex || (MyIndex >= 0 && MyIndex <= HighestIndex);
  for (const PlayerEntry& p : PlayerTable)
    if (!std::memchr(p.name, 0, sizeof p.name)) return false;
  return rows && mine && std::strspn(AliveFlags, "ON") == alive;
}
