// The network service: the program's one UDP socket, IPv4 only.
#pragma once
#include <cstdint>

// An IPv4 socket address, 16 bytes as every peer lays it out: family 2, port
// and address in network byte order (most significant byte first), 8 zero bytes.
struct NetAddress {
  uint16_t family;
  uint16_t port;
  uint32_t address;
  uint8_t zero[8];
};
static_assert(sizeof(NetAddress) == 16);

constexpr uint16_t NetInternetFamily = 2;

// Starts the system's network layer; 0 on success, -1 when it cannot start.
int NetSystemStartup();

// Stops the network layer; harmless when it is not started.
void NetSystemCleanup();

// Opens the program's one UDP socket; 0, or -1 when the system refuses one.
int NetOpenSocket();

// Binds the open socket to a local address; 0, or -1 when the port is taken or no socket is open.
int NetBindSocket(const NetAddress& local);

// Looks a host name up (blocks until the resolver answers); false when the name is unknown.
bool NetLookupName(const char* name, uint32_t* address);

// Sends size bytes to an address from the open socket; with no socket, or on failure, nothing happens.
void NetSendTo(const NetAddress& to, const char* data, int size);

// Sends the same size bytes to each of count addresses, in their order, in as few system calls
// as the system allows; with no socket nothing happens, and a failed send spares the others.
void NetSendToEach(const NetAddress* to, int count, const char* data, int size);

// Takes the oldest waiting datagram without waiting: its length (0 for an empty one),
// cut to size bytes, its sender in *from; -1 when none waits or no socket is open.
int NetReceiveFrom(char* data, int size, NetAddress* from);

// Closes the open socket, if there is one.
void NetCloseSocket();

// The open socket's file descriptor, readable when a datagram waits; -1 when there is none.
int NetWaitHandle();
