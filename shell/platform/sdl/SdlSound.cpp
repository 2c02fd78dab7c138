// Sound through SDL2_mixer: the MIDI tune by FluidSynth with a General MIDI sound font,
// the WAV effects on one mixer channel.
#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>

#include "shell/platform/Messages.h"
#include "shell/platform/Sound.h"
#include "shell/platform/sdl/MidiLength.h"
#include "shell/platform/sdl/SdlSoundControl.h"

// Set here, not left to the environment, so that the tune sounds the same on every machine.
static const char SoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// At SDL_mixer's full music volume FluidSynth plays at six times its own
// default gain and the tune's peaks come near full scale; half leaves room
// for an effect on top.
static const int MusicVolume = MIX_MAX_VOLUME / 2;

static const int EffectChannel = 0;

enum DeviceState { DeviceClosed, DeviceOpen, DeviceMissing };

static DeviceState Device = DeviceClosed;
static Mix_Music* Tune = nullptr;
static Mix_Chunk* Effect = nullptr;
static double TuneSeconds = -1;

// Shared with the mixer's thread.
static std::atomic<uint64_t> TuneBytesLeft{0};
static std::atomic<bool> TuneEnded{true};
static std::atomic<bool> Closing{false};

// The tune's end is told once, by whichever of the two ways sees it first.
static void TellTuneEnded() {
  if (!TuneEnded.exchange(true)) PostMessage(MsgMusicNotice, MusicNoticeSuccessful);
}

// FluidSynth reports the end only after every voice has faded and a further
// two seconds for the reverb, which would leave a gap at each loop; counting
// the mixed bytes tells the end when the file's last tick has sounded.
static void SDLCALL CountMixedBytes(void*, Uint8*, int length) {
  uint64_t left = TuneBytesLeft;
  if (TuneEnded || left == 0) return;
  if (left > uint64_t(length)) TuneBytesLeft = left - uint64_t(length);
  else TellTuneEnded();
}

// Runs on the mixer's thread when FluidSynth stops, or inside Mix_HaltMusic on ours.
static void SDLCALL TuneFinished() {
  if (Closing) PostMessage(MsgMusicNotice, MusicNoticeAborted);
  else TellTuneEnded();
}

// The other MIDI players would fall back on instruments of their own;
// without the sound font the tune stays silent instead.
static bool StartDevice() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Ctrl+C and termination stay Qt's
  SDL_SetHint("SDL_MIXER_DISABLE_TIMIDITY", "1");
  SDL_SetHint("SDL_MIXER_DISABLE_NATIVEMIDI", "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  Mix_SetSoundFonts(SoundFont);
  Mix_HookMusicFinished(TuneFinished);
  Mix_SetPostMix(CountMixedBytes, nullptr);
  return true;
}

// Opened at the first use; a machine without a sound device is tried once.
static bool DeviceReady() {
  if (Device == DeviceClosed) Device = StartDevice() ? DeviceOpen : DeviceMissing;
  return Device == DeviceOpen;
}

static bool SoundFontPresent() {
  SDL_RWops* f = SDL_RWFromFile(SoundFont, "rb");
  if (!f) return false;
  SDL_RWclose(f);
  return true;
}

// SDL_mixer would decode any music file as an effect, a MIDI file taking
// seconds; an effect is a WAV file or nothing.
static bool IsWaveFile(const char* fileName) {
  char head[12] = {};
  SDL_RWops* f = SDL_RWFromFile(fileName, "rb");
  if (!f) return false;
  size_t got = SDL_RWread(f, head, 1, sizeof head);
  SDL_RWclose(f);
  return got == sizeof head && SDL_memcmp(head, "RIFF", 4) == 0 && SDL_memcmp(head + 8, "WAVE", 4) == 0;
}

static uint64_t BytesPerSecond() {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  return uint64_t(frequency) * uint64_t(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
}

// FluidSynth takes any file and only finds out at play time that it is no
// MIDI file; it then ends at once, and each end would restart it. A file
// whose length cannot be read is not opened.
bool OpenMusic(const char* fileName) {
  CloseMusic();
  if (!DeviceReady() || !SoundFontPresent() || !Mix_HasMusicDecoder("FLUIDSYNTH")) return false;
  TuneSeconds = MidiFileSeconds(fileName);
  if (TuneSeconds <= 0) return false;
  Tune = Mix_LoadMUSType_RW(SDL_RWFromFile(fileName, "rb"), MUS_MID, 1);
  return Tune != nullptr;
}

void PlayMusic() {
  if (!Tune) return;
  TuneBytesLeft = uint64_t(TuneSeconds * double(BytesPerSecond()));
  TuneEnded = false;
  Mix_VolumeMusic(MusicVolume);
  if (Mix_PlayMusic(Tune, 0) != 0) TuneEnded = true;
}

void CloseMusic() {
  if (!Tune) return;
  Closing = true;
  Mix_HaltMusic();
  Closing = false;
  TuneEnded = true;
  Mix_FreeMusic(Tune);
  Tune = nullptr;
}

// Playing on the one channel cuts off the effect still sounding there, and
// nothing waits for its turn; a file that does not load changes nothing.
void PlaySoundFile(const char* fileName) {
  if (!DeviceReady() || !IsWaveFile(fileName)) return;
  Mix_Chunk* next = Mix_LoadWAV(fileName);
  if (!next) return;
  Mix_HaltChannel(EffectChannel);
  Mix_FreeChunk(Effect);
  Effect = next;
  Mix_PlayChannel(EffectChannel, Effect, 0);
}

void CloseSound() {
  CloseMusic();
  if (Device == DeviceOpen) {
    Mix_HaltChannel(-1);
    Mix_FreeChunk(Effect);
    Effect = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  Device = DeviceClosed;
}

bool SdlTunePlaying() { return Tune && Mix_PlayingMusic() && !TuneEnded; }

bool SdlEffectSounding() { return Device == DeviceOpen && Mix_Playing(EffectChannel) != 0; }
