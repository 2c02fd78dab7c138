// Music and effects: the looping tune and the effects' on/off switch over the sound service.
#include "shell/Audio.h"

#include "shell/Settings.h"
#include "shell/platform/DataFiles.h"
#include "shell/platform/Sound.h"

static const char MusicFile[] = "Ploxen.mid";

static bool MusicOpen = false;

void PlayEffect(const char* fileName) {
  if (SoundOn) PlaySoundFile(DataFilePath(fileName).c_str());
}

// A failed open is not reported: the game goes on silently and the next
// match start or toggle tries again.
void RestartMusic() {
  if (MusicOpen) CloseMusic();
  MusicOpen = false;
  if (!MusicOn) return;
  MusicOpen = OpenMusic(DataFilePath(MusicFile).c_str());
  if (MusicOpen) PlayMusic();
}

// Only a tune that played to its end comes back: a close gives another
// code, so stopping the music never restarts it. A back end that loops the
// tune itself has already begun its next round, without the gap a restart
// would make, and so has a match start that came in between.
void HandleMusicNotice(int code) {
  if (MusicOn && code == MusicNoticeSuccessful && !MusicPlaying()) RestartMusic();
}

void ShutdownMusic() {
  MusicOn = 0;
  RestartMusic();
  CloseSound();
}
