// Test controls of the in-memory network: scripted peers and every datagram sent.
#pragma once
#include <string>
#include <vector>

#include "shell/platform/Net.h"

struct NullDatagram {
  NetAddress peer;    // where it went, or where it came from
  std::string bytes;  // exactly as sent, every byte
};

// Forgets everything: closes the socket, empties the queue and the record of sends.
void NullNetReset();

// The address of simulated peer i: 10.0.0.i, port 40000 + i.
NetAddress NullPeerAddress(int peer);

// Queues a datagram from a peer for the program's socket; lost when no socket is open.
void NullNetDeliver(const NetAddress& from, const std::string& bytes);

// Queues a text the way a peer sends it: NUL-terminated, zero bytes up to 1000.
void NullNetDeliverText(const NetAddress& from, const char* text);

// The datagrams the program sent since the last call, oldest first.
std::vector<NullDatagram> NullNetTakeSent();

// Whether the program's socket is open.
bool NullNetSocketOpen();
