// Settings: the values of "Ploxen.ini" that the other subsystems read.
#pragma once
#include <cstdint>

extern char Alias[33];
extern char ServerName[33];
extern int32_t MaxPlayers;
extern int32_t NetPort;
extern int32_t SoundOn;
extern int32_t MusicOn;
extern int32_t PosX;
extern int32_t PosY;
