// UDP transport: one socket, 1000-byte datagrams, one received per GameTick.
#pragma once

constexpr int ExchangeSize = 1000;

// Where every message is built, sent and received.
extern char ExchangeBuffer[ExchangeSize];

// Opens the Server's socket on NetPort; 0 on success, -1 after a red line.
int OpenServerSocket();

// Finds the server, opens the socket and sends the join request; 0 or -1.
int ConnectToServer();

// Sends the ExchangeBuffer to every client except the given row.
void SendToClients(int except);

// Sends the ExchangeBuffer to the server.
void SendToPeer();

// Takes at most one waiting datagram into the ExchangeBuffer; true when one came.
bool ReceiveDatagram();

// Closes the socket, if one is open.
void CloseNet();
