// UDP transport: one socket, 1000-byte datagrams, one received per GameTick.
#pragma once

#include "net/GameState.h"
#include "shell/platform/Net.h"

constexpr int ExchangeSize = 1000;

// Where every message is built, sent and received.
extern char ExchangeBuffer[ExchangeSize];

// The sender of the latest datagram received (the bind or server address while a set-up runs).
extern NetAddress SenderAddress;

// Clients' addresses by player number on the Server; the server's in entry 0 on a Client.
extern NetAddress PeerTable[MaxTablePlayers];

// Opens the Server's socket on NetPort; 0 on success, -1 after a red line.
int OpenServerSocket();

// Finds the server, opens the socket and sends the join request; 0 or -1.
int ConnectToServer();

// Sends the ExchangeBuffer to every client except the given row.
void SendToClients(int except);

// Sends the ExchangeBuffer to PeerTable[index]: to the server when index is 0 on a Client.
void SendToPeer(int index);

// Sends the ExchangeBuffer back to the SenderAddress of the latest datagram.
void SendToSender();

// Takes at most one waiting datagram into the ExchangeBuffer; true when one came.
bool ReceiveDatagram();

// Closes the socket, if one is open.
void CloseNet();
