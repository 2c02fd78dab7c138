// The network settings and the shell's services as network play sees them.
#include "net/MatchServices.h"

char Alias[33] = "";
char ServerName[33] = "127.0.0.1";
int32_t MaxPlayers = 8;
int32_t NetPort = 5001;

static bool NobodyToAsk() { return false; }
static void NoMusic() {}
static void NoEffect(const char*) {}
static void NoScoreTable(int) {}

MatchServices Shell = {NobodyToAsk, NoMusic, NoEffect, NoScoreTable};
