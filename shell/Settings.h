// Settings: the values of "Ploxen.ini" that the other subsystems read.
#pragma once
#include <cstdint>

#include "net/MatchServices.h"  // Alias, ServerName, MaxPlayers, NetPort

// In the working directory, like every file of the program.
constexpr char SettingsFile[] = "Ploxen.ini";

extern int32_t SoundOn;
extern int32_t MusicOn;
extern int32_t PosX;
extern int32_t PosY;
// Set once the main window has reported its place; from then on PosX and PosY follow it only.
extern bool WindowPlaced;

// Removes the leading and trailing spaces (0x20 only) of a text in place.
void TrimSpaces(char* text);

// Reads an integer key, at most its first 4 characters, into out, and writes the text read back.
void ReadIntSetting(const char* section, const char* key, int32_t def, int32_t* out);

// Reads and writes back "Reseau", "Clavier", "Window" and "Jeu"'s "Bruitages" and "Musique";
// at start-up and again whenever the keyboard dialog closes.
void LoadSettings();

// Start-up, after the background image load: PatternMode from "Motifs", 0 without the image.
void LoadPatternSetting();

// Start-up: GhostMode from "Fantome", off unless the file says otherwise.
void LoadGhostSetting();

// Sets the check mark of a menu command from a flag and writes the flag to key of "Jeu".
void WriteToggle(int32_t value, int command, const char* key);

// Shutdown: stores the window position PosX, PosY.
void SavePosition();

// The dialogs' writes: one key set to a text, or to an integer as decimal text.
void WriteSettingText(const char* section, const char* key, const char* text);
void WriteSettingInt(const char* section, const char* key, int32_t value);
