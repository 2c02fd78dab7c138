// Sound through SDL2_mixer: the MIDI tune rendered once by FluidSynth with a General MIDI sound
// font and looped from memory, the WAV effects on one mixer channel.
//
// Opening the sound device, loading the sound font and synthesising the tune happen on threads
// of their own; the main thread only swaps pointers and flags, so no call here holds it up.
#include <SDL.h>
#include <SDL_mixer.h>
#include <fluidsynth.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "shell/platform/Messages.h"
#include "shell/platform/Sound.h"
#include "shell/platform/sdl/MidiLength.h"
#include "shell/platform/sdl/SdlSoundControl.h"

// Set here, not left to the environment, so that the tune sounds the same on every machine.
static const char SoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The tune used to play through SDL_mixer's FluidSynth player at half its music volume, which
// sets FluidSynth's gain to 1.2 x 1/2; the tune's peaks then come near half of full scale and
// an effect fits on top. Rendered at the same gain, with FluidSynth's own reverb and chorus,
// it sounds as before.
static const float TuneGain = 0.6f;

// A shorter tune is padded with silence: whatever the file, the tune comes round at most once a
// second, and so does its end's notice.
static const double ShortestRound = 1.0;

// A longer one is refused: ten minutes at 44.1 kHz stereo already take 106 MB.
static const double LongestTune = 600;

// The notes still sounding at the tune's end ring on over the start of its next round.
static const double RingSeconds = 2.0;

static const int RenderChunk = 4096;  // frames between two looks at the cancel flag

static const int EffectChannel = 0;

enum DeviceState { DeviceClosed, DeviceOpening, DeviceOpen, DeviceMissing };

// One file rendered into interleaved 16-bit stereo at the device's rate. The render thread
// fills `samples` front to back and publishes how far it got in `rendered`; the mixer plays
// only what lies below it, so the tune can start before its render has finished.
struct Render {
  std::string file;
  struct stat seen {};  // the file as it was when the render began
  int rate = 0;
  size_t frames = 0;  // one round, set before `rendered` first moves
  std::vector<int16_t> samples;
  std::vector<int16_t> ring;  // what sounds after the last tick, added to the next round's start
  std::atomic<size_t> rendered{0};
  std::atomic<bool> ringReady{false};
  std::atomic<bool> failed{false};
  std::atomic<bool> cancelled{false};
};

static std::atomic<int> Device{DeviceClosed};
static std::mutex DeviceOpening_;  // held by the one thread that opens the device
static std::atomic<int> Workers{0};

// Main thread only.
static std::shared_ptr<Render> Current;  // the last file asked for, rendered or rendering
static Mix_Chunk* Effect = nullptr;

// What the mixer plays, guarded by PlayLock; the mixer holds it for one buffer's copy.
static std::mutex PlayLock;
static std::shared_ptr<Render> Playing;
static size_t Position = 0;  // frames into the round
static bool RingThisRound = false;
static std::atomic<int> Rounds{0};

// An effect asked for while the device was still opening, played as soon as it is open.
static std::mutex EffectLock;
static std::string PendingEffect;

static bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

static int16_t Clip(int v) { return int16_t(std::clamp(v, -32768, 32767)); }

// Plays the rendered samples, round after round, without a gap; each end of a round is told.
// A render that has fallen behind gives silence rather than a skip.
static void SDLCALL MixTune(void*, Uint8* stream, int length) {
  std::lock_guard<std::mutex> hold(PlayLock);
  Render* r = Playing.get();
  if (!r) return;
  int16_t* out = reinterpret_cast<int16_t*>(stream);
  size_t want = size_t(length) / 4;
  while (want > 0) {
    size_t have = r->rendered.load(std::memory_order_acquire);
    if (have == 0) return;  // frames and samples are the render thread's until then
    if (Position >= r->frames && have == r->frames) {
      Position = 0;
      RingThisRound = r->ringReady.load(std::memory_order_acquire);
      ++Rounds;
      PostMessage(MsgMusicNotice, MusicNoticeSuccessful);
    }
    size_t n = std::min(want, have > Position ? have - Position : 0);
    if (n == 0) return;
    const int16_t* from = &r->samples[2 * Position];
    size_t ringLeft = RingThisRound ? r->ring.size() / 2 - std::min(r->ring.size() / 2, Position) : 0;
    for (size_t i = 0; i < 2 * n; ++i)
      out[i] = i < 2 * ringLeft ? Clip(from[i] + r->ring[2 * Position + i]) : from[i];
    out += 2 * n;
    want -= n;
    Position += n;
  }
}

static void PlayEffectNow(const char* fileName);

// Opens the device once for the whole program; a machine without one is tried once.
static bool OpenDevice() {
  std::lock_guard<std::mutex> hold(DeviceOpening_);
  if (Device == DeviceOpen || Device == DeviceMissing) return Device == DeviceOpen;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Ctrl+C and termination stay Qt's
  bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (ok && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ok = false;
  }
  if (ok) {
    Mix_AllocateChannels(1);
    Mix_HookMusic(MixTune, nullptr);
  }
  Device = ok ? DeviceOpen : DeviceMissing;
  {
    std::lock_guard<std::mutex> holdEffect(EffectLock);
    std::string effect;
    effect.swap(PendingEffect);
    if (ok && !effect.empty()) PlayEffectNow(effect.c_str());
  }
  return ok;
}

static void QuietFluidSynth() {
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, nullptr, nullptr);
}

static bool ReadFile(const std::string& name, std::vector<uint8_t>* bytes) {
  SDL_RWops* f = SDL_RWFromFile(name.c_str(), "rb");
  if (!f) return false;
  uint8_t chunk[4096];
  for (size_t n; (n = SDL_RWread(f, chunk, 1, sizeof chunk)) > 0;)
    bytes->insert(bytes->end(), chunk, chunk + n);
  SDL_RWclose(f);
  return true;
}

// The tune's round, then its ring, written by FluidSynth; the synthesiser and its sound font
// are freed at the end. False when the file is no tune that can loop.
static bool Synthesise(Render& r) {
  std::vector<uint8_t> midi;
  if (!ReadFile(r.file, &midi)) return false;
  double seconds = MidiSeconds(midi.data(), midi.size());
  // FluidSynth takes any file and only finds out while playing that it is no MIDI file.
  if (!(seconds > 0 && seconds <= LongestTune)) return false;
  int channels = 0;
  Uint16 sdlFormat = 0;
  Mix_QuerySpec(&r.rate, &sdlFormat, &channels);
  if (sdlFormat != AUDIO_S16SYS || channels != 2) return false;
  size_t frames = size_t(std::max(seconds, ShortestRound) * r.rate);
  r.samples.resize(2 * frames);
  r.ring.resize(2 * size_t(RingSeconds * r.rate));
  r.frames = frames;

  QuietFluidSynth();
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", r.rate);
  fluid_settings_setnum(settings, "synth.gain", TuneGain);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = nullptr;
  bool ok = synth && fluid_synth_sfload(synth, SoundFont, 1) != FLUID_FAILED;
  if (ok) {
    player = new_fluid_player(synth);
    ok = player && fluid_player_add_mem(player, midi.data(), midi.size()) == FLUID_OK &&
         fluid_player_play(player) == FLUID_OK;
  }
  for (size_t at = 0; ok && at < frames && !r.cancelled; at += RenderChunk) {
    int n = int(std::min<size_t>(RenderChunk, frames - at));
    fluid_synth_write_s16(synth, n, &r.samples[2 * at], 0, 2, &r.samples[2 * at], 1, 2);
    r.rendered.store(at + size_t(n), std::memory_order_release);
  }
  if (ok && !r.cancelled) {
    // Nothing new starts after the last tick, but what still sounds fades in its own time.
    fluid_synth_write_s16(synth, int(r.ring.size() / 2), r.ring.data(), 0, 2, r.ring.data(), 1, 2);
    r.ringReady.store(true, std::memory_order_release);
  }
  if (player) delete_fluid_player(player);
  if (synth) delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return ok && !r.cancelled;
}

static void StartWorker(const std::shared_ptr<Render>& render) {
  ++Workers;
  std::thread([render] {
    if (!OpenDevice() || (render && !Synthesise(*render))) {
      if (render) render->failed = true;
    }
    --Workers;
  }).detach();
}

static bool SoundFontPresent() { return access(SoundFont, R_OK) == 0; }

// A file already rendered and unchanged since is played from memory; a changed one, or a
// player's own tune put there meanwhile, is rendered again.
bool OpenMusic(const char* fileName) {
  CloseMusic();
  struct stat st;
  if (Device == DeviceMissing || !SoundFontPresent() || stat(fileName, &st) != 0) return false;
  if (Current && Current->file == fileName && SameFile(Current->seen, st)) return !Current->failed;
  if (Current) Current->cancelled = true;
  Current = std::make_shared<Render>();
  Current->file = fileName;
  Current->seen = st;
  StartWorker(Current);
  return true;
}

// The tune sounds from its beginning as soon as the first of it is rendered.
void PlayMusic() {
  if (!Current || Current->failed) return;
  std::lock_guard<std::mutex> hold(PlayLock);
  Playing = Current;
  Position = 0;
  RingThisRound = false;
  ++Rounds;
}

void CloseMusic() {
  bool wasPlaying;
  {
    std::lock_guard<std::mutex> hold(PlayLock);
    wasPlaying = Playing != nullptr;
    Playing = nullptr;
  }
  if (wasPlaying) PostMessage(MsgMusicNotice, MusicNoticeAborted);
}

bool MusicPlaying() {
  std::lock_guard<std::mutex> hold(PlayLock);
  return Playing && !Playing->failed;
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

// Playing on the one channel cuts off the effect still sounding there, and
// nothing waits for its turn; a file that does not load changes nothing.
static void PlayEffectNow(const char* fileName) {
  if (!IsWaveFile(fileName)) return;
  Mix_Chunk* next = Mix_LoadWAV(fileName);
  if (!next) return;
  Mix_HaltChannel(EffectChannel);
  Mix_FreeChunk(Effect);
  Effect = next;
  Mix_PlayChannel(EffectChannel, Effect, 0);
}

// The first effect opens the device in the background and sounds once it is open.
void PlaySoundFile(const char* fileName) {
  std::lock_guard<std::mutex> hold(EffectLock);
  if (Device == DeviceOpen) return PlayEffectNow(fileName);
  if (Device == DeviceMissing) return;
  PendingEffect = fileName;
  if (Device == DeviceClosed) {
    Device = DeviceOpening;
    StartWorker(nullptr);
  }
}

// Shutdown, or a test starting afresh: waits for the threads, whose renders are cut short.
void CloseSound() {
  CloseMusic();
  if (Current) Current->cancelled = true;
  Current = nullptr;
  while (Workers > 0) SDL_Delay(1);
  if (Device == DeviceOpen) {
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_FreeChunk(Effect);
    Effect = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  PendingEffect.clear();
  Device = DeviceClosed;
}

bool SdlTunePlaying() {
  std::lock_guard<std::mutex> hold(PlayLock);
  return Playing && Playing->rendered > 0;
}

bool SdlTuneRendered() { return Current && Current->ringReady; }

bool SdlEffectSounding() { return Device == DeviceOpen && Mix_Playing(EffectChannel) != 0; }

int SdlTuneRounds() { return Rounds; }
