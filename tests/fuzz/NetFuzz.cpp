// libFuzzer target for the datagram dispatcher: any datagram, in any state a game reads one
// differently, is read inside the ExchangeBuffer and leaves the players' table consistent.
#include <cstdint>
#include <string>

#include "game/GameRandom.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullNet.h"
#include "tests/NetInvariant.h"

// A datagram from peer i (0: the server), received and dispatched by one GameTick.
static void Deliver(int peer, const std::string& bytes) {
  NullNetDeliver(peer ? NullPeerAddress(peer) : PeerTable[0], bytes);
  GameTick();
}

// 0: a Server waiting with three players; 1: a Server full with eight, playing;
// 2: a Client not yet admitted; 3: one admitted as row 2 of 3; 4: the same, playing.
static void SetUpState(int state) {
  NullNetReset();
  if (ModelessDialog) CloseDialog(ModelessDialog, 0);
  SeedRandom(1);
  std::strcpy(Alias, "Moi");
  std::strcpy(ServerName, "10.0.0.100");
  MaxPlayers = 8;
  state < 2 ? OpenServerSocket() : ConnectToServer();
  ResetGame(true, state < 2 ? Server : Client);
  for (int i = 1; state < 2 && i <= (state == 0 ? 2 : 7); ++i) Deliver(i, "CJ" + std::to_string(i));
  if (state >= 3) Deliver(0, "C020000000NNN04Hote03Ann03Moi");
  if (state == 4) Deliver(0, "S007");
  NullNetTakeSent();
}

// The first byte picks the state: '0'..'4' as numbered above, the datagram coming on
// the Server from the player whose number it carries, as a genuine one does; '5'..'9'
// the same states, the datagram coming from a stranger. The rest is the datagram.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int choice = uint8_t(data[0] - '0') % 10, state = choice % 5;
  int named = size > 3 && data[3] >= '1' && data[3] <= '7' ? data[3] - '0' : 1;
  SetUpState(state);
  Deliver(state >= 2 ? 0 : choice >= 5 ? 9 : named, std::string((const char*)data + 1, size - 1));
  bool whole = true;
  for (const NullDatagram& d : NullNetTakeSent()) whole = whole && d.bytes.size() == ExchangeSize;
  if (!whole || !PlayerTableConsistent() || GameMode != (state < 2 ? Server : Client) ||
      !NullNetSocketOpen())
    __builtin_trap();
  return 0;
}
