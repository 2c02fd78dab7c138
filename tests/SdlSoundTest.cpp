// The SDL2_mixer sound back end on SDL's dummy and disk drivers, and the generated sound files.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/platform/Messages.h"
#include "shell/platform/Sound.h"
#include "shell/platform/sdl/MidiLength.h"
#include "shell/platform/sdl/SdlSoundControl.h"

using Clock = std::chrono::steady_clock;

static const std::string RunDir = PLOXEN_RUN_DIR;

struct Notice {
  int code;
  double at;  // seconds after the wait began
};

// The tune's notices in the next `seconds`, or up to the first; other messages are dropped.
static std::vector<Notice> Notices(double seconds, bool untilFirst = false) {
  std::vector<Notice> got;
  Clock::time_point start = Clock::now();
  auto since = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  do {
    for (Message m; TakeMessage(&m);)
      if (m.kind == MsgMusicNotice) got.push_back({m.a, since()});
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  } while (since() < seconds && !(untilFirst && !got.empty()));
  return got;
}

// One note two quarters long, the first quarter at 0.2 s, the second at 1 s: 1.2 s in all.
static const char* WriteTwoTempoTune() {
  static const uint8_t file[] = {
      'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 26,
      0x00, 0xFF, 0x51, 3, 0x03, 0x0D, 0x40,  // 200000 us a quarter
      0x00, 0x90, 72, 90,                     // note on
      0x60, 0xFF, 0x51, 3, 0x0F, 0x42, 0x40,  // +96 ticks: 1000000 us a quarter
      0x60, 0x80, 72, 0,                      // +96: note off
      0x00, 0xFF, 0x2F, 0};                   // end of track
  std::ofstream("two-tempos.mid", std::ios::binary).write(reinterpret_cast<const char*>(file),
                                                           sizeof file);
  return "two-tempos.mid";
}

class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSound();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Notices(0);  // drops what an earlier test left
  }
};

TEST_F(SdlSound, ATuneThatPlaysToItsEndIsToldOnceWhenItsLastTickHasSounded) {
  ASSERT_TRUE(OpenMusic(WriteTwoTempoTune()));
  PlayMusic();
  EXPECT_TRUE(SdlTunePlaying());
  // Long enough for FluidSynth's own end, two seconds after its last voice.
  std::vector<Notice> n = Notices(5.0);
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].code, MusicNoticeSuccessful);
  EXPECT_TRUE(n[0].at > 1.1 && n[0].at < 1.9) << n[0].at;
  EXPECT_FALSE(SdlTunePlaying());
}

TEST_F(SdlSound, ClosingATuneEarlyNeverGivesTheSuccessfulNotice) {
  ASSERT_TRUE(OpenMusic(WriteTwoTempoTune()));
  PlayMusic();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  CloseMusic();
  std::vector<Notice> n = Notices(1.5);  // past the tune's end had it played on
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].code, MusicNoticeAborted);
}

TEST_F(SdlSound, TheGeneratedTunePlaysThroughFluidSynthForItsWholeLength) {
  std::string file = RunDir + "/Ploxen.mid";
  double length = MidiFileSeconds(file.c_str());
  EXPECT_NEAR(length, 52 * 4 * 60.0 / 152, 0.01);  // written as 52 bars of four beats at 152
  // The disk driver writes the mix to a file as fast as it can.
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "tune.raw", 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
  ASSERT_TRUE(OpenMusic(file.c_str()));
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  PlayMusic();
  ASSERT_EQ(Notices(60.0, true).size(), 1u);
  CloseSound();
  std::vector<int16_t> s;
  std::ifstream in("tune.raw", std::ios::binary);
  for (int16_t v; in.read(reinterpret_cast<char*>(&v), 2);) s.push_back(v);
  std::remove("tune.raw");
  // The device runs before the tune starts; the tune is the stretch that is not silence.
  auto audible = [](int16_t v) { return std::abs(v) > 30; };
  auto first = std::find_if(s.begin(), s.end(), audible);
  auto last = std::find_if(s.rbegin(), s.rend(), audible).base();
  ASSERT_LT(first, last);
  double played = double(last - first) / rate / channels;
  EXPECT_GT(played, length - 0.5) << "FluidSynth stopped before the file's end";
  EXPECT_LT(played, length + 1.0) << "the last notes ring on into the restart";
}

TEST_F(SdlSound, TheGeneratedEffectsReadBackAsMonoPcmWaves) {
  setenv("SDL_WAVE_TRUNCATION", "verystrict", 1);  // every chunk, RIFF included, must fit the file
  for (const char* name : {"Pose.wav", "Ligne.wav", "Fulrow.wav", "Perdu.wav"}) {
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV((RunDir + "/" + name).c_str(), &spec, &samples, &bytes), nullptr)
        << name << ": " << SDL_GetError();
    SDL_FreeWAV(samples);
    double seconds = bytes / 2.0 / spec.freq;
    EXPECT_TRUE(spec.format == AUDIO_S16LSB && spec.channels == 1) << name;
    EXPECT_TRUE(seconds > 0.05 && seconds < 2.0) << name << " lasts " << seconds << " s";
  }
}
