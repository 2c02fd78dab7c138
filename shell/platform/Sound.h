// Sound service: one tune played once through, and one short effect at a time, both by file name.
#pragma once
#include <cstdint>

// Codes of the MsgMusicNotice that ends a play of the tune.
constexpr int32_t MusicNoticeSuccessful = 1;  // the tune played to its end
constexpr int32_t MusicNoticeAborted = 4;     // a close cut the play short

// Opens a MIDI file for playing; false when it cannot play (no sound device, sound font or MIDI file).
bool OpenMusic(const char* fileName);

// Plays the open tune once from its beginning; its end posts MsgMusicNotice MusicNoticeSuccessful.
void PlayMusic();

// Stops and closes the tune; a play cut short posts MsgMusicNotice MusicNoticeAborted. Nothing when none is open.
void CloseMusic();

// Starts a WAV effect and returns at once, cutting off the one still sounding; a missing or bad file plays nothing.
void PlaySoundFile(const char* fileName);

// Stops everything and gives the sound device back; the next call opens it again.
void CloseSound();
