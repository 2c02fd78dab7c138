// The SDL2_mixer sound back end on SDL's dummy and disk drivers: the tune's end notice, a
// close cut short, effects replacing each other, and the generated tune played to its end.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "shell/platform/Messages.h"
#include "shell/platform/Sound.h"
#include "shell/platform/sdl/MidiLength.h"
#include "shell/platform/sdl/SdlSoundControl.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string RunDir = PLOXEN_RUN_DIR;

struct Notice {
  int code;
  double at;  // seconds after the start of the wait
};

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// The tune's notices posted until `seconds` after `start`; other messages are dropped.
std::vector<Notice> CollectNotices(Clock::time_point start, double seconds, bool stopAtFirst = false) {
  std::vector<Notice> got;
  Message m;
  while (Since(start) < seconds && !(stopAtFirst && !got.empty())) {
    while (TakeMessage(&m))
      if (m.kind == MsgMusicNotice) got.push_back({m.a, Since(start)});
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return got;
}

void PutVarLength(std::vector<uint8_t>& out, uint32_t v) {
  std::vector<uint8_t> groups;
  do groups.push_back(v & 0x7F); while ((v >>= 7) != 0);
  for (size_t i = groups.size(); i-- > 1;) out.push_back(groups[i] | 0x80);
  out.push_back(groups[0]);
}

// One piano note, released a quarter second before the end; 480 ticks a
// quarter at the default 120 beats a minute make 960 ticks a second.
std::string WriteOneNoteTune(const char* name, double seconds) {
  uint32_t end = uint32_t(seconds * 960);
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 72, 90};
  PutVarLength(track, end - 240);
  track.insert(track.end(), {0x80, 72, 0});
  PutVarLength(track, 240);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                               'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(track.size())};
  file.insert(file.end(), track.begin(), track.end());
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              std::streamsize(file.size()));
  return name;
}

class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override { UseDriver("dummy"); }
  void TearDown() override {
    CloseSound();
    DropMessages();
  }
  static void UseDriver(const char* driver) {
    CloseSound();
    setenv("SDL_AUDIODRIVER", driver, 1);
    DropMessages();
  }
  static void DropMessages() {
    Message m;
    while (TakeMessage(&m)) {
    }
  }
};

// ---- the tune ----

TEST_F(SdlSound, ATuneThatPlaysToItsEndIsToldOnceWithTheSuccessfulCode) {
  ASSERT_TRUE(OpenMusic(WriteOneNoteTune("one-second.mid", 1.0).c_str()));
  Clock::time_point start = Clock::now();
  PlayMusic();
  EXPECT_TRUE(SdlTunePlaying());
  // Long enough for FluidSynth's own end, two seconds after its last voice.
  std::vector<Notice> notices = CollectNotices(start, 5.0);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].code, MusicNoticeSuccessful);
  EXPECT_GT(notices[0].at, 0.8);
  EXPECT_LT(notices[0].at, 2.5) << "the end is told when the last tick has sounded";
  EXPECT_FALSE(SdlTunePlaying());
  CloseMusic();
  EXPECT_TRUE(CollectNotices(Clock::now(), 0.3).empty()) << "closing an ended tune tells nothing";
}

TEST_F(SdlSound, ClosingATuneEarlyNeverGivesTheSuccessfulCode) {
  ASSERT_TRUE(OpenMusic(WriteOneNoteTune("ten-seconds.mid", 10.0).c_str()));
  PlayMusic();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(SdlTunePlaying());
  CloseMusic();
  EXPECT_FALSE(SdlTunePlaying());
  std::vector<Notice> notices = CollectNotices(Clock::now(), 1.0);
  for (const Notice& n : notices) EXPECT_NE(n.code, MusicNoticeSuccessful);
  EXPECT_EQ(notices.size(), 1u);
}

TEST_F(SdlSound, ATuneThatIsNotThereDoesNotPlay) {
  EXPECT_FALSE(OpenMusic("no-such-tune.mid"));
  EXPECT_FALSE(OpenMusic((RunDir + "/Pose.wav").c_str()));
  PlayMusic();
  EXPECT_FALSE(SdlTunePlaying());
  EXPECT_TRUE(CollectNotices(Clock::now(), 0.2).empty());
}

TEST_F(SdlSound, WithoutASoundDeviceEverythingIsSilentAndQuiet) {
  UseDriver("no-such-driver");
  EXPECT_FALSE(OpenMusic((RunDir + "/Ploxen.mid").c_str()));
  PlayMusic();
  PlaySoundFile((RunDir + "/Fulrow.wav").c_str());
  EXPECT_FALSE(SdlTunePlaying());
  EXPECT_FALSE(SdlEffectSounding());
  CloseMusic();
  EXPECT_TRUE(CollectNotices(Clock::now(), 0.1).empty());
}

// ---- effects ----

TEST_F(SdlSound, EveryGeneratedEffectPlays) {
  for (const char* name : {"Pose.wav", "Ligne.wav", "Fulrow.wav", "Perdu.wav"}) {
    PlaySoundFile((RunDir + "/" + name).c_str());
    EXPECT_TRUE(SdlEffectSounding()) << name;
  }
}

TEST_F(SdlSound, ANewEffectCutsOffTheOneStillSounding) {
  std::string fulrow = RunDir + "/Fulrow.wav", pose = RunDir + "/Pose.wav";
  PlaySoundFile(fulrow.c_str());
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_TRUE(SdlEffectSounding()) << "the fanfare alone lasts longer than this";
  PlaySoundFile(fulrow.c_str());
  PlaySoundFile(pose.c_str());
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_FALSE(SdlEffectSounding()) << "the short click replaced the fanfare; nothing was queued";
}

TEST_F(SdlSound, AnEffectThatCannotPlayGivesNoSoundAtAll) {
  PlaySoundFile("no-such-effect.wav");
  EXPECT_FALSE(SdlEffectSounding());
  PlaySoundFile((RunDir + "/Ploxen.mid").c_str());
  EXPECT_FALSE(SdlEffectSounding());
}

// ---- the generated tune ----

struct Recording {
  std::vector<int16_t> samples;
  int rate = 0, channels = 0;
};

// Plays the file on the disk driver, which writes the mix to a file as fast as
// it can; returns what was written up to the end notice.
Recording RecordTune(const std::string& file, std::vector<Notice>& notices) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "tune.raw", 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
  Recording r;
  if (!OpenMusic(file.c_str())) return r;
  Uint16 format = 0;
  Mix_QuerySpec(&r.rate, &format, &r.channels);
  PlayMusic();
  notices = CollectNotices(Clock::now(), 60.0, true);
  CloseSound();
  std::ifstream in("tune.raw", std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  r.samples.resize(bytes.size() / 2);
  std::copy(bytes.begin(), bytes.begin() + long(r.samples.size() * 2),
            reinterpret_cast<char*>(r.samples.data()));
  std::remove("tune.raw");
  return r;
}

TEST_F(SdlSound, TheGeneratedTunePlaysItsWholeLengthUnclipped) {
  std::string file = RunDir + "/Ploxen.mid";
  double length = MidiFileSeconds(file.c_str());
  EXPECT_GE(length, 60.0);
  EXPECT_LE(length, 120.0);
  CloseSound();
  std::vector<Notice> notices;
  Recording r = RecordTune(file, notices);
  ASSERT_FALSE(r.samples.empty());
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].code, MusicNoticeSuccessful);

  // The device runs before the tune starts; the tune is the stretch that is not silence.
  auto audible = [](int16_t s) { return std::abs(int(s)) > 30; };
  size_t first = size_t(std::find_if(r.samples.begin(), r.samples.end(), audible) - r.samples.begin());
  size_t last = size_t(r.samples.rend() - std::find_if(r.samples.rbegin(), r.samples.rend(), audible));
  ASSERT_LT(first, last);
  double frames = double(r.rate) * r.channels, played = double(last - first) / frames;
  EXPECT_GT(played, length - 0.5) << "FluidSynth stopped before the file's end";
  EXPECT_LT(played, length + 1.0) << "the last notes ring on into the restart";

  double sum = 0;
  int peak = 0;
  for (size_t i = first; i < last; ++i) {
    sum += double(r.samples[i]) * r.samples[i];
    peak = std::max(peak, std::abs(int(r.samples[i])));
  }
  EXPECT_LT(peak, 32000) << "the music clips";
  EXPECT_GT(std::sqrt(sum / double(last - first)), 0.03 * 32768) << "the music is too quiet";
}

}  // namespace
