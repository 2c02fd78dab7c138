// Message routing and dispatch.
#include "net/Protocol.h"

#include "game/Clearing.h"
#include "net/GameState.h"
#include "net/Transport.h"

void PublishMessage() {
  if (GameMode == Server) SendToClients(0);
  else if (GameMode == Client) SendToPeer();
}

// Without a transport there is no opponent: the count is dropped so it never
// piles up for a later game.
void SendAttack() { LastClearCount = 0; }

bool HandleDatagram() { return false; }
