// Headless sound: records what was asked and posts the tune's notices when a test says so.
#include "shell/platform/null/NullSound.h"

#include <utility>

#include "shell/platform/Messages.h"
#include "shell/platform/Sound.h"

static std::vector<std::string> Log;
static bool TuneOpen = false;
static bool TunePlaying = false;
static std::function<void(const std::string&)> EffectHook;

bool OpenMusic(const char* fileName) {
  Log.push_back(std::string("open ") + fileName);
  TuneOpen = true;
  return TuneOpen;
}

void PlayMusic() {
  Log.push_back("play");
  TunePlaying = TuneOpen;
}

bool MusicPlaying() { return TunePlaying; }

void CloseMusic() {
  Log.push_back("close");
  if (TunePlaying) PostMessage(MsgMusicNotice, MusicNoticeAborted);
  TuneOpen = TunePlaying = false;
}

void PlaySoundFile(const char* fileName) {
  Log.push_back(std::string("effect ") + fileName);
  if (EffectHook) EffectHook(fileName);
}

void CloseSound() {
  if (TuneOpen) CloseMusic();
}

const std::vector<std::string>& NullSoundLog() { return Log; }


void NullOnEffect(std::function<void(const std::string&)> hook) { EffectHook = std::move(hook); }

void NullResetSound() {
  Log.clear();
  EffectHook = nullptr;
  TuneOpen = TunePlaying = false;
}

bool NullMusicPlaying() { return TunePlaying; }

void NullFinishMusic() {
  if (!TunePlaying) return;
  TunePlaying = false;
  PostMessage(MsgMusicNotice, MusicNoticeSuccessful);
}

