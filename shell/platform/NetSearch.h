// The search for games on the LAN: a UDP socket of its own, apart from the game's,
// so that a player can look for games while it takes part in one.
#pragma once
#include <cstdint>

#include "shell/platform/Net.h"

// An IPv4 interface of this machine: its address and its broadcast address, network byte order.
struct SearchInterface {
  uint32_t address;
  uint32_t broadcast;
};

// The interfaces that are up and can broadcast, loopback left out; at most max, their count.
int SearchInterfaces(SearchInterface* out, int max);

// Opens the search socket with broadcasts allowed; 0, or -1 when the system refuses one.
int SearchOpenSocket();

// Sends size bytes from the search socket; with no socket, or on failure, nothing happens.
void SearchSendTo(const NetAddress& to, const char* data, int size);

// Takes the oldest waiting answer without waiting: its length, cut to size
// bytes, its sender in *from; -1 when none waits or no socket is open.
int SearchReceiveFrom(char* data, int size, NetAddress* from);

// Blocks at most ms milliseconds until an answer waits; true when one does.
bool SearchWaitAnswer(int ms);

// Closes the search socket, if one is open.
void SearchCloseSocket();
