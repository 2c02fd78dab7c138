// Settings values, at their defaults until the settings file is read.
#include "shell/Settings.h"

char Alias[33] = "";
char ServerName[33] = "127.0.0.1";
int32_t MaxPlayers = 8;
int32_t NetPort = 5001;
int32_t SoundOn = 1;
int32_t MusicOn = 1;
int32_t PosX = 0;
int32_t PosY = 0;
