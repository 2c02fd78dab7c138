// Helpers for the dialogs' tests on the in-memory network: a hosted or joined game and scripted peers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The server a Client joins in these tests, as the "Serveur" text names it.
constexpr const char* TestServerText = "10.0.0.100";

// A fresh Solo program state on a fresh in-memory network; Alias "Moi", MaxPlayers 8.
void ResetNetTest();

// Sets up this machine as the Server of a new game, as a confirmed F3 does.
void HostGame();

// Sets up this machine as a Client that joined TestServerText (F4); the join request is dropped.
void JoinGame();

// A datagram sent by the program: to whom (peer i, 0 for the server) and its text.
// Every one is checked to be 1000 bytes, zero behind the text.
struct SentText {
  int to;
  std::string text;
};
std::vector<SentText> TakeSent();

// Peer i's datagram (1000 bytes), received and dispatched by one GameTick.
void FromPeer(int peer, const std::string& text);

// The server's datagram, received and dispatched by one GameTick.
void FromServer(const std::string& text);

// Admits peers 1..count to the hosted game under the names "J1".."Jn"; drops what was sent.
void AdmitPeers(int count);

// A join reply as the Server builds it: players named by names, row n the newcomer.
std::string JoinReply(int level, int height, int seed, const char* alive,
                      const std::vector<std::string>& names);

// The log line at index (0 the newest), and its colour.
std::string Line(int index);
uint32_t Colour(int index);

