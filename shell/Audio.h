// Music and sound effects as the game asks for them.
#pragma once

// Plays one of the WAV effects when SoundOn is set; returns at once.
void PlayEffect(const char* fileName);

// Stops the music and, when MusicOn is set, starts it again from its beginning.
void RestartMusic();

// The window's MsgMusicNotice: a tune that played to its end (code 1) starts again while MusicOn is set.
void HandleMusicNotice(int code);

// Shutdown: MusicOn cleared in memory only, the music closed and the sound device given back.
void ShutdownMusic();
