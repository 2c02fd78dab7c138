// Helpers for the dialogs' tests on the in-memory network: a hosted or joined game and scripted peers.
#include "tests/NetPeers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullNet.h"
#include "shell/platform/null/NullNetSearch.h"

void ResetNetTest() {
  ConnectLayers();
  NullNetReset();
  NullSearchReset();
  NullSetClock(1000);
  std::strcpy(Alias, "Moi");
  std::strcpy(ServerName, TestServerText);
  MaxPlayers = 8;
  NetPort = 5001;
  Level = StartHeight = 0;
  ResetGame(true, Solo);
}

void HostGame() {
  LeaveGame();
  ASSERT_EQ(OpenServerSocket(), 0);
  ResetGame(true, Server);
  NullNetTakeSent();
}

void JoinGame() {
  StartGame(Client);
  ASSERT_EQ(GameMode, Client);
  NullNetTakeSent();
}

// Peer i is 10.0.0.i, the server of TestServerText 10.0.0.100.
static int PeerNumber(const NetAddress& a) {
  int last = reinterpret_cast<const uint8_t*>(&a.address)[3];
  return last == 100 ? 0 : last;
}

std::vector<SentText> TakeSent() {
  std::vector<SentText> out;
  for (const NullDatagram& d : NullNetTakeSent()) {
    EXPECT_EQ(d.bytes.size(), 1000u);
    std::string text(d.bytes.c_str());
    EXPECT_EQ(d.bytes.find_first_not_of('\0', text.size()), std::string::npos) << text;
    out.push_back({PeerNumber(d.peer), text});
  }
  return out;
}

void FromPeer(int peer, const std::string& text) {
  NullNetDeliverText(NullPeerAddress(peer), text.c_str());
  GameTick();
}

void FromServer(const std::string& text) {
  NullNetDeliverText(PeerTable[0], text.c_str());
  GameTick();
}

void AdmitPeers(int count) {
  for (int i = 1; i <= count; ++i) FromPeer(i, "CJ" + std::to_string(i));
  NullNetTakeSent();
}

std::string JoinReply(int level, int height, int seed, const char* alive,
                      const std::vector<std::string>& names) {
  char head[32];
  std::snprintf(head, sizeof head, "C%02d%02d%02d%03d%s", int(names.size()) - 1, level, height,
                seed, alive);
  std::string reply = head;
  for (const std::string& n : names)
    reply += std::to_string(n.size() / 10) + std::to_string(n.size() % 10) + n;
  return reply;
}

std::string Line(int index) {
  const char* line = MessageLine(index);
  return line ? line : "";
}

uint32_t Colour(int index) { return MessageColour(index); }
