// The playing time read from a MIDI file: tempo changes, running status, skipped events,
// SMPTE time and damaged files.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "shell/platform/sdl/MidiLength.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header(int format, int tracks, int division) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, uint8_t(format), 0, uint8_t(tracks),
          uint8_t(division >> 8), uint8_t(division)};
}

void AddTrack(Bytes& file, const Bytes& events) {
  size_t n = events.size();
  file.insert(file.end(), {'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8),
                           uint8_t(n)});
  file.insert(file.end(), events.begin(), events.end());
}

// 96 ticks a quarter. The tempo track: 500000 us a quarter, then from tick 192
// on 250000, ending at tick 384. The notes track runs on to tick 480 with
// running status, a text event and a system exclusive message on the way.
// Ticks 0..192 at 0.5 s a quarter make 1 s; ticks 192..480 at 0.25 s make 0.75 s.
Bytes TwoTempoFile() {
  Bytes f = Header(1, 2, 96);
  AddTrack(f, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,         // 500000
               0x81, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,   // +192: 250000
               0x81, 0x40, 0xFF, 0x2F, 0x00});                   // +192: end
  AddTrack(f, {0x00, 0xC0, 0x05,                                 // program change: one data byte
               0x00, 0x90, 60, 100,                              // note on
               0x60, 64, 100,                                    // +96, running status
               0x00, 0xFF, 0x01, 0x03, 'a', 'b', 'c',            // text
               0x00, 0xF0, 0x02, 0x7E, 0xF7,                     // system exclusive
               0x83, 0x00, 0x80, 60, 0,                          // +384: note off
               0x00, 0xFF, 0x2F, 0x00});
  return f;
}

TEST(MidiLength, TempoChangesAndTheLongestTrackGiveTheTime) {
  Bytes f = TwoTempoFile();
  EXPECT_NEAR(MidiSeconds(f.data(), f.size()), 1.75, 1e-9);
}

TEST(MidiLength, WithoutATempoAQuarterLastsHalfASecond) {
  Bytes f = Header(0, 1, 480);
  AddTrack(f, {0x00, 0x90, 60, 100, 0x87, 0x40, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});  // 960 ticks
  EXPECT_NEAR(MidiSeconds(f.data(), f.size()), 1.0, 1e-9);
}

TEST(MidiLength, SmpteTimeCountsFramesAndTicks) {
  Bytes f = Header(0, 1, 0xE728);  // 25 frames a second, 40 ticks a frame
  AddTrack(f, {0x93, 0x44, 0xFF, 0x2F, 0x00});  // 2500 ticks
  EXPECT_NEAR(MidiSeconds(f.data(), f.size()), 2.5, 1e-9);
}

TEST(MidiLength, DamagedFilesHaveNoLength) {
  Bytes good = TwoTempoFile();
  for (size_t cut : {size_t(0), size_t(10), size_t(20), good.size() - 3}) {
    Bytes f(good.begin(), good.begin() + long(cut));
    EXPECT_EQ(MidiSeconds(f.data(), f.size()), -1) << "cut at " << cut;
  }
  Bytes riff = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_EQ(MidiSeconds(riff.data(), riff.size()), -1);
  Bytes stray = Header(0, 1, 96);
  AddTrack(stray, {0x00, 0x40, 0x00});  // a data byte with no status before it
  EXPECT_EQ(MidiSeconds(stray.data(), stray.size()), -1);
  EXPECT_EQ(MidiFileSeconds("no-such-file.mid"), -1);
}

}  // namespace
