// Datagram transport. Until the sockets are wired in, no network game can be
// set up: both set-up operations fail and nothing is ever received.
#include "net/Transport.h"

char ExchangeBuffer[ExchangeSize];

int OpenServerSocket() { return -1; }

int ConnectToServer() { return -1; }

void SendToClients(int) {}

void SendToPeer() {}

bool ReceiveDatagram() { return false; }

void CloseNet() {}
