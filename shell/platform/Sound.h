// Sound service: one tune played in a loop, and one short effect at a time, both by file name.
// No call waits for the sound device, a sound font or a file's decoding.
#pragma once
#include <cstdint>

// Codes of the MsgMusicNotice that ends a play of the tune.
constexpr int32_t MusicNoticeSuccessful = 1;  // the tune played to its end
constexpr int32_t MusicNoticeAborted = 4;     // a close cut the play short

// Opens a MIDI file for playing; false when it cannot play (no sound device, sound font or MIDI file).
bool OpenMusic(const char* fileName);

// Plays the open tune from its beginning; each end of it posts MsgMusicNotice MusicNoticeSuccessful.
// A back end may go on into the next round by itself, without a gap (see MusicPlaying).
void PlayMusic();

// True while the tune plays on, its end included: an end's notice then needs no restart.
bool MusicPlaying();

// Stops and closes the tune; a play cut short posts MsgMusicNotice MusicNoticeAborted. Nothing when none is open.
void CloseMusic();

// Starts a WAV effect and returns at once, cutting off the one still sounding; a missing or bad file plays nothing.
void PlaySoundFile(const char* fileName);

// Stops everything and gives the sound device back; the next call opens it again.
void CloseSound();
