// One player of a network game, headless, on real sockets: the network tests run three of
// them as separate processes. Game time runs on the headless clock, 10 ms a pass; the pieces
// are steered by a seeded random hand.
//   net-peer server PORT PLAYERS SECONDS SEED     (PORT 0: the system picks one, printed first)
//   net-peer client PORT NAME SECONDS SEED        (joins 127.0.0.1 on PORT)
// At its first match start the peer prints the seed, Level, pieces and Board; after SECONDS of
// game time it prints its table, waits for the others to print theirs and leaves.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/null/NullControl.h"
#include "tests/NetInvariant.h"

static void PrintStart() {
  std::printf("start seed %u level %d types %d %d\nboard ", unsigned(MatchSeed), int(Level),
              int(CurrentType), int(NextType));
  for (int r = 0; r < 24; ++r)
    for (int c = 0; c < 12; ++c) std::printf("%d", int(Board[r][c]));
  std::printf("\n");
}

int main(int argc, char** argv) {
  if (argc != 6) return 2;
  ConnectLayers();
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // the test reads each line as it comes
  bool server = std::strcmp(argv[1], "server") == 0;
  NetPort = std::atoi(argv[2]);
  std::mt19937 hand(unsigned(std::atoi(argv[5])));
  NullSetClock(1000);
  SeedRandom(uint32_t(std::atoi(argv[5])));
  // A Client plays the Server's Level and StartHeight, whatever its own settings say.
  Level = server ? 15 : 0;
  StartHeight = server ? 3 : 0;
  std::snprintf(Alias, sizeof Alias, "%s", server ? "Hote" : argv[3]);
  std::strcpy(ServerName, "127.0.0.1");
  MaxPlayers = server ? std::atoi(argv[3]) : 8;
  ResetGame(true, Solo);
  if (server) {
    if (OpenServerSocket() != 0) return 3;
    sockaddr_in a{};
    socklen_t n = sizeof a;
    getsockname(NetWaitHandle(), reinterpret_cast<sockaddr*>(&a), &n);
    std::printf("port %d\n", ntohs(a.sin_port));
    ResetGame(true, Server);
  } else {
    StartGame(Client);
  }
  const uint32_t end = 1000 + uint32_t(std::atof(argv[4]) * 1000);
  const int32_t* const keys[] = {&KeyLeft, &KeyRight, &KeyRotRight, &KeyDown};
  int matches = 0;
  // Ends early when a Client gives its join up.
  for (uint64_t pass = 0; TickCount() < end && GameMode != Solo; ++pass) {
    bool over = MatchOver;
    NullAdvanceClock(10);
    if (!MatchOver && hand() % 6 == 0) {
      const int32_t key = *keys[hand() % 4];
      GameKeyDown(key);
      GameKeyUp(key);
    }
    GameTick();
    if (over && !MatchOver && matches++ == 0) PrintStart();
    if (server && HighestIndex + 1 == MaxPlayers && pass % 300 == 299) RequestStart();
    pollfd p{NetWaitHandle(), POLLIN, 0};  // idle peers wait for traffic instead of spinning
    poll(&p, 1, 1);
  }
  std::printf("table %d consistent %d rows", int(HighestIndex), int(PlayerTableConsistent()));
  for (int i = 0; i <= HighestIndex; ++i) std::printf(" %s", PlayerTable[i].name);
  std::printf("\nmine %d matches %d\n", int(MyIndex), matches);
  usleep(server ? 3000000 : 1000000);
  LeaveGame();
  return 0;
}
