// Network tests on loopback: the program's socket in this process against plain UDP sockets
// of the test.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class LoopbackTest : public ::testing::Test {
 protected:
  void SetUp() override;     // Solo, Alias "Moi", MaxPlayers 8, Level and StartHeight 0
  void TearDown() override;  // ends a search, closes the program's socket and the test's
  // A plain UDP socket bound at address and port (0: the system picks); -1 when it cannot bind.
  int Socket(const char* address = "127.0.0.1", uint16_t port = 0);
  static uint16_t PortOf(int fd);
  // The program hosts a game on a port the system picks, MatchSeed 0.
  void Host();
  // New sockets peer[1..count] join the hosted game as "J1".."Jn"; what they got is dropped.
  void Admit(int count);
  // The program joins a test socket at address acting as the server; the join request
  // is checked byte for byte, and the socket is returned.
  int Join(const char* address = "127.0.0.1");
  // Bytes as they stand from fd to the program, then one GameTick once they wait there.
  void Deliver(int fd, const std::string& bytes);
  // A text the way every peer sends it: terminated, zero bytes up to 1000.
  static std::string Padded(std::string text) { return text.resize(1000, '\0'), text; }
  void Tick(int fd, const std::string& text) { Deliver(fd, Padded(text)); }
  // Every datagram waiting at fd, oldest first, each as "text|"; one that is not
  // its text padded with zero bytes to 1000 shows as "!size|".
  std::string Got(int fd);
  int peer[8] = {};
  uint16_t programPort = 0;
  std::vector<int> sockets;
};
