// What the message handlers share: bounded field readers and one handler per letter.
#pragma once
#include <cstdint>

#include "resources/Colours.h"  // the log colours

// What a PlayerEntry's 36-byte name field holds besides its terminator.
constexpr int MaxNameLength = 35;

// Reads exactly width decimal digits of the ExchangeBuffer from byte at; false when one is not a digit.
bool ReadDigits(int at, int width, int* value);

struct NetAddress;
bool SameAddress(const NetAddress& a, const NetAddress& b);

// The Server's row 1..HighestIndex that joined from the datagram's sender, or -1:
// a stranger on the network, or a client left over from an earlier game on the
// same port, holds none and cannot speak for a player.
int SenderRow();

// Writes a player number into bytes 1..2 of the ExchangeBuffer.
void WritePlayerNumber(int row);

// The player a report is about. On a Client, the number of bytes 1..2; on the
// Server, the row of the sender's address whatever number it wrote, which is
// written back into bytes 1..2 for the relay. False unless it is a row of the
// table other than this machine's own, whose reports never come back to it.
bool ReadPlayer(int* row);

// Sets a row's name from received text, cut to what the name field holds.
void CopyName(int row, const char* text, int length);

// How many players the game takes: MaxPlayers, but never more than the PlayerTable's rows.
int PlayerLimit();

void HandleJoin();       // "C": a join request on the Server, a join reply on a Client

// A Client's join request, sent once at once and then about every second until
// a join reply or a refusal comes; after about ten seconds the Client gives up.
void SendJoinRequest();
void RepeatJoinRequest();
void StopJoinRequests();
void HandleRefusal();    // "X"
void HandleDeparture();  // "D"
void HandleHeight();     // "H"
void HandleLoss();       // "P"
void HandleRename();     // "R"
void HandleChat();       // "T"
void HandleAttack();     // "L"
bool HandleStart();      // "S": true when the match is to start
