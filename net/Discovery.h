// Games found on the LAN: the Server's answer to a search query, and the seeker's side.
//
// A query is "Q" followed by SearchTag; an answer is "A", SearchTag, the players
// (2 digits), MaxPlayers (2 digits), 1 when a match runs or 0 when it waits, and
// the Server's alias. Both are text at the start of the usual 1000-byte datagram;
// neither letter is one of the game's messages, so a program that knows only
// those ignores them.
#pragma once
#include <cstdint>

#include "shell/platform/NetSearch.h"

constexpr const char* SearchTag = "Ploxen";

// A query goes to NetPort and the ports after it: a second Server on the same
// machine cannot bind NetPort and is set to one of those.
constexpr int SearchPortCount = 4;

// How long the dialog's search listens for answers.
constexpr int SearchTimeMs = 500;

// F4 waits for answers with the window stalled, so it must be back before a
// held key starts to repeat (250 ms): a repeated F4 would join a second time.
// A LAN answers within a few milliseconds.
constexpr int JoinSearchMs = 200;

constexpr int MaxFoundGames = 16;

struct FoundGame {
  NetAddress server;  // its address and game port
  char alias[33];
  int players;
  int maxPlayers;
  bool running;
};

extern FoundGame FoundGames[MaxFoundGames];
extern int FoundCount;

// Answers the search query in the ExchangeBuffer to its sender, on a Server only.
void AnswerSearch();

// Puts this list of interfaces in place of the machine's own as the search's
// broadcast targets; count -1 returns to the machine's own.
void UseSearchInterfaces(const SearchInterface* list, int count);

// Forgets the games found and sends the query to 127.0.0.1 and to each
// interface's broadcast address; 0, or -1 when no search socket opens.
int StartSearch();

// Takes every answer already waiting; the number of games found so far.
int CollectAnswers();

// Listens for answers for ms milliseconds; the number of games found.
int ListenForAnswers(int ms);

// Closes the search socket; the games found stay listed.
void EndSearch();

// The game's address as "Serveur" takes it: dotted, without the port.
void FoundAddressText(const FoundGame& game, char* out, int size);

// The game's port in host order.
int FoundPort(const FoundGame& game);
