// Network golden replays: a scripted match between this program and scripted peers on the
// in-memory network. Prints every datagram the program sends, each new MessageLog line, and
// each dialog it opens, and at the end the players' table and the Board, for comparison with a
// stored expectation.
// Script lines: "host SEED" or "join SEED" (this program's part), "from PEER TEXT" (peer 0 is
// the server a Client joined), "tick MS" (the clock moves on, one GameTick), "space",
// "lose" (the stack fills up to the top but for column 10), "seed N" (the generator's next
// draws), "attack LINES" (this player's clear sends its attack), "max N" (MaxPlayers, 3 unless
// set), "# comment".
#include <arpa/inet.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/GameState.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"
#include "shell/platform/null/NullNet.h"

static NetAddress ServerAddress() {
  NetAddress a = NullPeerAddress(100);
  a.port = htons(uint16_t(NetPort));  // in network order, as the back end keeps it
  return a;
}

static std::string g_lastLine;

// What the step sent and showed; peer 0 is the server a Client joins.
static void Report() {
  for (const NullDatagram& d : NullNetTakeSent()) {
    NetAddress server = ServerAddress();
    bool toServer = std::memcmp(&d.peer, &server, sizeof server) == 0;
    int peer = toServer ? 0 : reinterpret_cast<const uint8_t*>(&d.peer.address)[3];
    std::printf("  -> %d %s\n", peer, d.bytes.c_str());
  }
  for (int id : NullTakeOpenedDialogs()) std::printf("  dialog %d\n", id);
  const char* line = MessageLine(0);
  if (line && g_lastLine != line) {
    g_lastLine = line;
    std::printf("  log %06X %s\n", unsigned(MessageColour(0)), line);
  }
}

static void PrintTable() {
  std::printf("mode %d socket %d mine %d highest %d alive %s over %d level %d seed %u",
              int(GameMode), int(NullNetSocketOpen()), int(MyIndex), int(HighestIndex),
              AliveFlags, int(MatchOver), int(Level), unsigned(MatchSeed));
  std::printf(" penalty %d clear %d\n", int(PendingPenalty), int(LastClearCount));
  for (int i = 0; i <= HighestIndex; ++i)
    std::printf("row %d %s %d %d %d\n", i, PlayerTable[i].name, int(PlayerTable[i].score),
                int(PlayerTable[i].lines), int(PlayerTable[i].height));
  for (int r = 2; r <= 21; ++r) {
    std::string row;
    for (int c = 1; c <= 10; ++c) row += Board[r][c] ? char('0' + Board[r][c]) : '.';
    if (row != "..........") std::printf("board %02d %s\n", r, row.c_str());
  }
}

int main(int argc, char** argv) {
  std::ifstream script(argc == 2 ? argv[1] : "");
  if (!script) return 2;
  ConnectLayers();
  CreatePanelSurfaces();  // the log the null back end reads the messages from
  LogHeld = false;
  NullNetReset();
  NullSetClock(1000);
  std::strcpy(Alias, "Moi");
  std::strcpy(ServerName, "10.0.0.100");
  MaxPlayers = 3;
  NetPort = 5001;
  Level = 3;
  StartHeight = 2;
  ResetGame(true, Solo);
  std::string line;
  while (std::getline(script, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::printf("%s\n", line.c_str());
    std::string verb;
    uint32_t number = 0;
    std::istringstream(line) >> verb >> number;
    if (verb == "host" || verb == "join") {
      SeedRandom(number);
      if (verb == "host" && OpenServerSocket() == 0) ResetGame(true, Server);
      if (verb == "join") StartGame(Client);
    } else if (verb == "max") {
      MaxPlayers = int32_t(number);
    } else if (verb == "seed") {
      SeedRandom(number);
    } else if (verb == "attack") {
      LastClearCount = int32_t(number);
      SendAttack();
    } else if (verb == "from") {
      std::string text = line.substr(line.find(' ', 5) + 1);
      NullNetDeliverText(number ? NullPeerAddress(int(number)) : ServerAddress(), text.c_str());
    } else if (verb == "tick") {
      NullAdvanceClock(number);
    } else if (verb == "space") {
      RequestStart();
    } else if (verb == "lose") {
      for (int r = 2; r <= 21; ++r)
        for (int c = 1; c <= 9; ++c) Board[r][c] = 8;
      NullAdvanceClock(2000);
    } else {
      std::fprintf(stderr, "unknown step: %s\n", line.c_str());
      return 2;
    }
    if (verb == "from" || verb == "tick" || verb == "space" || verb == "lose") GameTick();
    Report();
  }
  PrintTable();
  return 0;
}
