// The SDL2_mixer sound back end on SDL's dummy and disk drivers.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "shell/Audio.h"
#include "shell/Settings.h"
#include "shell/platform/Messages.h"
#include "shell/platform/Sound.h"
#include "shell/platform/sdl/MidiLength.h"
#include "shell/platform/sdl/SdlSoundControl.h"

using Clock = std::chrono::steady_clock;

static bool Audible(int16_t v) { return std::abs(v) > 30; }

// The codes of the tune's notices for `seconds` or until `ends` successful ones came, other
// messages dropped; with `answer` each is handed to the game's rule, as the main window does.
static std::vector<int> Notices(double seconds, int ends = 1000, bool answer = false) {
  std::vector<int> got;
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  do {
    for (Message m; TakeMessage(&m);) {
      if (m.kind != MsgMusicNotice) continue;
      got.push_back(m.a);
      if (answer) HandleMusicNotice(m.a);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  } while (std::count(got.begin(), got.end(), MusicNoticeSuccessful) < ends && Clock::now() < end);
  return got;
}

// A header with the given timing and track count, then one track of the given events.
static std::vector<uint8_t> Tune(uint16_t division, uint16_t tracks, std::vector<uint8_t> events) {
  std::vector<uint8_t> f = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, uint8_t(tracks >> 8),
                            uint8_t(tracks), uint8_t(division >> 8), uint8_t(division)};
  if (tracks == 0) return f;
  std::vector<uint8_t> head = {'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(events.size())};
  f.insert(f.end(), head.begin(), head.end());
  f.insert(f.end(), events.begin(), events.end());
  return f;
}

static const char* WriteTune(const char* name, const std::vector<uint8_t>& file) {
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              std::streamsize(file.size()));
  return name;
}

// Opens the tune with the mix going to raw as fast as the disk driver writes, and waits for the
// whole render, which this mixer would outrun; the samples a second, 0 when it did not open.
static double OpenRenderedToDisk(const char* tune, const char* raw) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", raw, 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
  if (!OpenMusic(tune)) return 0;
  while (!SdlTuneRendered()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  return double(rate) * channels;
}

// The samples written to raw, from the first audible one to the last: the device runs before
// the tune starts. Removes the file.
static std::vector<int16_t> Sounded(const char* raw) {
  std::vector<int16_t> s;
  std::ifstream in(raw, std::ios::binary);
  for (int16_t v; in.read(reinterpret_cast<char*>(&v), 2);) s.push_back(v);
  std::remove(raw);
  auto first = std::find_if(s.begin(), s.end(), Audible);
  auto last = std::find_if(s.rbegin(), s.rend(), Audible).base();
  return first < last ? std::vector<int16_t>(first, last) : std::vector<int16_t>{};
}

// A note, then the end of the track one tick later.
static const std::vector<uint8_t> OneTick = {0x00, 0x90, 60, 90, 0x01, 0x80, 60, 0,
                                             0x00, 0xFF, 0x2F, 0};

class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSound();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Notices(0);  // drops what an earlier test left
  }
  void TearDown() override { CloseSound(); }  // no render thread outlives the test
};

// How soon after its last tick a round ends is pinned in the samples, by the held note's seam.
TEST_F(SdlSound, ATuneLoopsByItselfTellingEachEndAndAClosedOneNone) {
  // One note two quarters long, the first quarter at 0.2 s, the second at 1 s: 1.2 s in all.
  const std::vector<uint8_t> tune = Tune(96, 1, {
      0x00, 0xFF, 0x51, 3, 0x03, 0x0D, 0x40,  // 200000 us a quarter
      0x00, 0x90, 72, 90,                     // note on
      0x60, 0xFF, 0x51, 3, 0x0F, 0x42, 0x40,  // +96 ticks: 1000000 us a quarter
      0x60, 0x80, 72, 0,                      // +96: note off
      0x00, 0xFF, 0x2F, 0});                  // end of track
  EXPECT_NEAR(MidiSeconds(tune.data(), tune.size()), 1.2, 1e-9);
  ASSERT_TRUE(OpenMusic(WriteTune("two-tempos.mid", tune)));
  PlayMusic();
  EXPECT_EQ(Notices(60, 3), std::vector<int>(3, MusicNoticeSuccessful));
  EXPECT_TRUE(SdlTunePlaying() && MusicPlaying());
  CloseMusic();
  EXPECT_EQ(Notices(1.5), std::vector<int>{MusicNoticeAborted});  // past a round had it gone on
}

TEST_F(SdlSound, HostileHeadersGiveAFiniteLengthOrARefusal) {
  const struct { const char* what; std::vector<uint8_t> bytes; } cases[] = {
      {"SMPTE, 0 ticks a frame", Tune(0xE700, 1, OneTick)},
      {"SMPTE, -128 frames, 0 ticks", Tune(0x8000, 1, OneTick)},
      {"SMPTE, -1 frame, 1 tick", Tune(0xFF01, 1, OneTick)},
      {"0 ticks a quarter", Tune(0, 1, OneTick)},
      {"one tick", Tune(96, 1, OneTick)},
      {"no tracks", Tune(96, 0, {})},
      {"a tempo of 0", Tune(96, 1, {0x00, 0xFF, 0x51, 3, 0, 0, 0, 0x01, 0xFF, 0x2F, 0})},
  };
  for (const auto& c : cases) {
    for (size_t cut = 0; cut <= c.bytes.size(); ++cut) {  // whole, and every truncation
      double s = MidiSeconds(c.bytes.data(), cut);
      EXPECT_TRUE(std::isfinite(s) && (s >= 0 || s == -1)) << c.what << " cut at " << cut;
    }
  }
}

// The game's own rule answers every notice: a one-tick tune must not turn it into a storm.
TEST_F(SdlSound, AOneTickTuneComesRoundAtMostOnceASecond) {
  WriteTune("Ploxen.mid", Tune(96, 1, OneTick));
  MusicOn = 1;
  RestartMusic();
  int rounds = SdlTuneRounds();
  const std::vector<int> n = Notices(3.5, 1000, true);
  long notices = std::count(n.begin(), n.end(), MusicNoticeSuccessful);
  EXPECT_TRUE(notices >= 2 && notices <= 4) << notices;
  EXPECT_LE(SdlTuneRounds() - rounds, 5);
  MusicOn = 0;
  RestartMusic();
  std::remove("Ploxen.mid");
}

// A note held from the first tick to the last: the loop's seam must not fall silent, as a
// restart after the end's notice (the game's rule) would make it.
TEST_F(SdlSound, AHeldNoteLoopsWithoutASilenceAtTheSeam) {
  // 200 ticks at 500 ms a quarter, 1.04 s: a flute, whose sound does not die away while held.
  WriteTune("Ploxen.mid", Tune(96, 1, {0x00, 0xC0, 73, 0x00, 0x90, 72, 100, 0x81, 0x48, 0x80, 72, 0,
                                       0x00, 0xFF, 0x2F, 0}));
  const double perSecond = OpenRenderedToDisk("Ploxen.mid", "held.raw");
  ASSERT_GT(perSecond, 0);
  MusicOn = 1;
  RestartMusic();
  ASSERT_EQ(Notices(60.0, 2, true), std::vector<int>(2, MusicNoticeSuccessful));
  MusicOn = 0;
  CloseSound();
  std::remove("Ploxen.mid");
  std::vector<int16_t> s = Sounded("held.raw");
  ASSERT_GT(double(s.size()), 2 * perSecond) << "less than two rounds sounded";
  size_t quiet = 0, longest = 0;
  for (int16_t v : s) longest = std::max(longest, quiet = Audible(v) ? 0 : quiet + 1);
  EXPECT_LT(double(longest) / perSecond, 0.02) << "seconds of silence inside the loop";
}
