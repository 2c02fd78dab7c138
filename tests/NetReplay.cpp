// Network golden replays: a scripted match between this program and scripted peers on the
// in-memory network. Prints every datagram the program sends, each new MessageLog line, and
// at the end the players' table and the Board, for comparison with a stored expectation.
// Script lines: "host SEED" or "join SEED" (this program's part), "from PEER TEXT" (peer 0 is
// the server a Client joined), "tick MS" (the clock moves on, one GameTick), "space",
// "lose" (the stack fills up to the top but for column 10), "# comment".
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
#include "net/Transport.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullNet.h"

static NetAddress ServerAddress() {
  NetAddress a = NullPeerAddress(100);
  const uint8_t port[2] = {uint8_t(NetPort >> 8), uint8_t(NetPort & 0xFF)};
  std::memcpy(&a.port, port, 2);
  return a;
}

static int PeerOf(const NetAddress& a) {
  if (std::memcmp(&a, &PeerTable[0], sizeof a) == 0 && GameMode == Client) return 0;
  return reinterpret_cast<const uint8_t*>(&a.address)[3];
}

static std::string g_lastLine;

// What the step sent and showed.
static void Report() {
  for (const NullDatagram& d : NullNetTakeSent())
    std::printf("  -> %d %s\n", PeerOf(d.peer), d.bytes.c_str());
  const char* line = MessageLine(0);
  if (line && g_lastLine != line) {
    g_lastLine = line;
    std::printf("  log %06X %s\n", unsigned(MessageColour(0)), line);
  }
}

static void PrintTable() {
  std::printf("mode %d mine %d highest %d alive %s over %d level %d seed %u\n", int(GameMode),
              int(MyIndex), int(HighestIndex), AliveFlags, int(MatchOver), int(Level),
              unsigned(MatchSeed));
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
  if (argc != 2) return 2;
  ConnectLayers();
  CreatePanelSurfaces();  // the log the null back end reads the messages from
  LogHeld = false;
  std::ifstream script(argv[1]);
  if (!script) return 2;
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
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "host" || verb == "join") {
      uint32_t seed = 0;
      in >> seed;
      SeedRandom(seed);
      if (verb == "host") {
        OpenServerSocket();
        ResetGame(true, Server);
      } else {
        StartGame(Client);
      }
    } else if (verb == "from") {
      int peer = 0;
      in >> peer;
      std::string text = line.substr(line.find(' ', 5) + 1);
      NullNetDeliverText(peer == 0 ? ServerAddress() : NullPeerAddress(peer), text.c_str());
      GameTick();
    } else if (verb == "tick") {
      uint32_t ms = 0;
      in >> ms;
      NullAdvanceClock(ms);
      GameTick();
    } else if (verb == "space") {
      RequestStart();
      GameTick();
    } else if (verb == "lose") {
      for (int r = 2; r <= 21; ++r)
        for (int c = 1; c <= 9; ++c) Board[r][c] = 8;
      NullAdvanceClock(2000);
      GameTick();
    } else {
      std::fprintf(stderr, "unknown step: %s\n", line.c_str());
      return 2;
    }
    Report();
  }
  PrintTable();
  return 0;
}
