// Music and sound effects as the game asks for them.
#pragma once

// Plays one of the WAV effects when SoundOn is set; returns at once.
void PlayEffect(const char* fileName);

// Stops the music and, when MusicOn is set, starts it again from its beginning.
void RestartMusic();
