// Test controls of the in-memory network: scripted peers, names and faults, and every datagram sent.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/platform/Net.h"

struct NullDatagram {
  NetAddress peer;    // where it went, or where it came from
  std::string bytes;  // exactly as sent, every byte
};

// Forgets everything: closes the socket, empties the queues, the names, the faults and the records.
void NullNetReset();

// An IPv4 address a.b.c.d in network byte order.
uint32_t NullIPv4(int a, int b, int c, int d);

// The address of simulated peer i: 10.0.0.i, port 40000 + i.
NetAddress NullPeerAddress(int peer);

// Queues a datagram from a peer for the program's socket; lost when no socket is open.
void NullNetDeliver(const NetAddress& from, const std::string& bytes);

// Queues a text the way a peer sends it: NUL-terminated, zero bytes up to 1000.
void NullNetDeliverText(const NetAddress& from, const char* text);

// The datagrams the program sent since the last call, oldest first.
std::vector<NullDatagram> NullNetTakeSent();

// Datagrams waiting for the program's receive.
int NullNetWaiting();

// Registers a host name that the name lookup finds.
void NullNetAddHost(const char* name, uint32_t address);

// The names the program looked up since the reset, in order.
std::vector<std::string> NullNetLookups();

enum NullNetFault { NoNetFault = 0, StartupFails = 1, SocketFails = 2, PortTaken = 4 };

// Makes the operations in the bit set of NullNetFault values fail from now on.
void NullNetSetFaults(int faults);

// Whether the program's socket is open, and the address it was last bound to (zero if none).
bool NullNetSocketOpen();
NetAddress NullNetBoundAddress();

// Whether the network layer is started (between a startup and a cleanup).
bool NullNetStarted();
