// The messages between Server and Clients, one capital letter each.
#pragma once

// Sends the ExchangeBuffer by the mode's route: Server to every client, Client to the server, Solo nowhere.
void PublishMessage();

// Sends the rows of this GameTick's clear to a living opponent.
void SendAttack();

// Acts on the datagram in the ExchangeBuffer; true when it was a match start "S".
bool HandleDatagram();
