// What network play takes from the shell above it: the "Reseau" settings, which
// the settings file fills, and four services that the shell wires in at start-up.
#pragma once
#include <cstdint>

extern char Alias[33];
extern char ServerName[33];
extern int32_t MaxPlayers;
extern int32_t NetPort;

// Every service is set; until the shell wires them in they do nothing and no
// dialog says OK.
struct MatchServices {
  // Opens the game parameters dialog 103, modal in every mode; true when it closed with OK.
  bool (*AskGameParameters)();
  // Stops the music and, when MusicOn is set, starts it again from its beginning.
  void (*RestartMusic)();
  // Plays one of the WAV effects when SoundOn is set; returns at once.
  void (*PlayEffect)(const char* fileName);
  // Opens the score table; rank 0 is the end-of-match form.
  void (*ShowScoreTable)(int rank);
};

extern MatchServices Shell;
