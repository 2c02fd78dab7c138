// The four generated effects: valid PCM files that read back, quiet at their ends, unclipped,
// each as long as its event wants.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wave {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
  double Seconds() const { return double(samples.size()) / channels / rate; }
};

uint32_t Little(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

// Walks the RIFF chunks as a strict reader would; an empty string means it read back.
std::string ReadWave(const std::string& name, Wave& w) {
  std::ifstream in(std::string(PLOXEN_RUN_DIR) + "/" + name, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return "no RIFF/WAVE header";
  if (Little(b, 4, 4) != b.size() - 8) return "RIFF size is not the file's";
  for (size_t at = 12; at + 8 <= b.size();) {
    std::string id(b.begin() + at, b.begin() + at + 4);
    size_t size = Little(b, at + 4, 4), body = at + 8;
    if (body + size > b.size()) return id + " chunk runs past the end";
    if (id == "fmt ") {
      w.format = int(Little(b, body, 2)), w.channels = int(Little(b, body + 2, 2));
      w.rate = int(Little(b, body + 4, 4)), w.bits = int(Little(b, body + 14, 2));
      if (Little(b, body + 8, 4) != uint32_t(w.rate * w.channels * w.bits / 8)) return "byte rate";
      if (Little(b, body + 12, 2) != uint32_t(w.channels * w.bits / 8)) return "block align";
    } else if (id == "data") {
      if (w.bits != 16 || size % 2) return "data before fmt, or not 16-bit";
      for (size_t i = 0; i < size; i += 2) w.samples.push_back(int16_t(Little(b, body + i, 2)));
    }
    at = body + size + (size & 1);
  }
  return w.samples.empty() ? "no samples" : "";
}

double Peak(const Wave& w) {
  int peak = 0;
  for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
  return peak / 32768.0;
}

// Sign changes per second over a stretch: a stand-in for the pitch of a plain tone.
double CrossingRate(const Wave& w, size_t from, size_t to) {
  int crossings = 0;
  for (size_t i = from + 1; i < to; ++i)
    if ((w.samples[i - 1] < 0) != (w.samples[i] < 0)) ++crossings;
  return crossings * double(w.rate) / double(to - from);
}

const char* const Effects[] = {"Pose.wav", "Ligne.wav", "Fulrow.wav", "Perdu.wav"};

TEST(SoundFiles, EveryEffectIsAPcmWaveThatReadsBack) {
  for (const char* name : Effects) {
    Wave w;
    EXPECT_EQ(ReadWave(name, w), "") << name;
    EXPECT_EQ(w.format, 1) << name;
    EXPECT_EQ(w.channels, 1) << name;
    EXPECT_GE(w.rate, 22050) << name;
  }
}

TEST(SoundFiles, EffectsStartAndEndInSilenceAndStayBelowFullScale) {
  for (const char* name : Effects) {
    Wave w;
    ASSERT_EQ(ReadWave(name, w), "") << name;
    EXPECT_GT(Peak(w), 0.2) << name << " is too quiet to hear over the music";
    EXPECT_LT(Peak(w), 0.8) << name << " leaves no room for the music";
    EXPECT_LT(std::abs(w.samples.front()), 330) << name << " starts with a click";
    EXPECT_LT(std::abs(w.samples.back()), 330) << name << " ends with a click";
  }
}

TEST(SoundFiles, EachLastsAsLongAsItsEvent) {
  Wave pose, ligne, fulrow, perdu;
  ASSERT_EQ(ReadWave("Pose.wav", pose) + ReadWave("Ligne.wav", ligne) +
                ReadWave("Fulrow.wav", fulrow) + ReadWave("Perdu.wav", perdu),
            "");
  EXPECT_LT(pose.Seconds(), 0.2) << "a lock comes every second or so";
  EXPECT_GT(ligne.Seconds(), pose.Seconds());
  EXPECT_GT(fulrow.Seconds(), ligne.Seconds()) << "four rows earn the longer fanfare";
  EXPECT_GT(perdu.Seconds(), 0.5);
  for (const Wave* w : {&ligne, &fulrow, &perdu}) EXPECT_LT(w->Seconds(), 2.0);
}

TEST(SoundFiles, TheLossToneFalls) {
  Wave w;
  ASSERT_EQ(ReadWave("Perdu.wav", w), "");
  size_t quarter = w.samples.size() / 4;
  double start = CrossingRate(w, 0, quarter), end = CrossingRate(w, 3 * quarter, 4 * quarter);
  EXPECT_GT(start, 2 * end) << start << " crossings a second at the start, " << end << " at the end";
}

}  // namespace
