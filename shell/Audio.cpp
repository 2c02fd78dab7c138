// Music and effects: silent until the program has an audio device to play them on.
#include "shell/Audio.h"

void PlayEffect(const char*) {}

void RestartMusic() {}
