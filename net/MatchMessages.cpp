// The attack stage, a received attack, and the match start sent by the Server.
#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "game/Clearing.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "net/Messages.h"
#include "net/Protocol.h"
#include "net/Transport.h"

// The living rows other than this machine's own, in table order; number n of them, or -1.
static int LivingOpponent(int n) {
  for (int i = 0; i <= HighestIndex; ++i) {
    if (AliveFlags[i] != 'O' || i == MyIndex) continue;
    if (n-- == 0) return i;
  }
  return -1;
}

// The draw is made among CountAlive() - 1 rows even when the local player has
// just lost and is no longer among them: every machine draws alike.
void SendAttack() {
  if (LastClearCount == 0) return;
  int alive = CountAlive();
  if (alive > 1) {
    int target = LivingOpponent(NextRandom() % (alive - 1));
    if (target >= 0) {
      std::snprintf(ExchangeBuffer, ExchangeSize, "L%02d%02d%1d", int(MyIndex), target,
                    int(LastClearCount));
      SendToPeer(GameMode == Server ? target : 0);
    }
  }
  LastClearCount = 0;
}

static const char* const CountWords[5] = {"", " 1 ligne", " 2 lignes", " 3 lignes", " Fulrow"};

// Three attacks in four are taken; the draw comes from the shared generator.
void HandleAttack() {
  int attacker = 0, target = 0, count = 0;
  if (!ReadDigits(1, 2, &attacker) || !ReadDigits(3, 2, &target) || !ReadDigits(5, 1, &count))
    return;
  if (GameMode == Server) {
    attacker = SenderRow();
    if (attacker < 1) return;
    WritePlayerNumber(attacker);
  }
  if (attacker > HighestIndex || count < 1 || count > 4) return;
  if (GameMode == Server && target != 0) {
    if (target <= HighestIndex) SendToPeer(target);
    return;
  }
  char line[MaxNameLength + 24];
  std::snprintf(line, sizeof line, "%s: %s", PlayerTable[attacker].name, CountWords[count]);
  if (NextRandom() & 3) {
    PendingPenalty += count;
    std::strcat(line, " !");
    AppendMessage(line, BlueText);
  } else {
    AppendMessage(line, RedText);
  }
}

// Only the Server starts matches; an "S" reaching it is not one of its own.
bool HandleStart() {
  int seed = 0;
  if (GameMode != Client || !ReadDigits(1, 3, &seed) || seed > 255) return false;
  MatchSeed = uint32_t(seed);
  SeedRandom(MatchSeed);
  return true;
}
