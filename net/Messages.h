// What the message handlers share: the log colours, bounded field readers and one handler per letter.
#pragma once
#include <cstdint>

constexpr uint32_t GreenText = 0x008000;
constexpr uint32_t RedText = 0x0000FF;
constexpr uint32_t BlueText = 0xFF0000;
constexpr uint32_t PurpleText = 0x800080;

// What a PlayerEntry's 36-byte name field holds besides its terminator.
constexpr int MaxNameLength = 35;

// Reads exactly width decimal digits of the ExchangeBuffer from byte at; false when one is not a digit.
bool ReadDigits(int at, int width, int* value);

// Whether the datagram came from the given player: on the Server, only from the
// address that player joined from, so that a stranger on the network, or a
// client left over from an earlier game on the same port, cannot speak for it.
bool SentByPlayer(int row);

// Reads the player number of bytes 1..2; false unless it is a row of the table
// other than this machine's own, whose reports never come back to it, and the
// datagram came from that player.
bool ReadPlayer(int* row);

// Sets a row's name from received text, cut to what the name field holds.
void CopyName(int row, const char* text, int length);

// How many players the game takes: MaxPlayers, but never more than the PlayerTable's rows.
int PlayerLimit();

void HandleJoin();       // "C": a join request on the Server, a join reply on a Client
void HandleRefusal();    // "X"
void HandleDeparture();  // "D"
void HandleHeight();     // "H"
void HandleLoss();       // "P"
void HandleRename();     // "R"
void HandleChat();       // "T"
void HandleAttack();     // "L"
bool HandleStart();      // "S": true when the match is to start
