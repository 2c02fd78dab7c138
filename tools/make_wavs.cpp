// make_wavs: synthesises the four effects, "Pose.wav", "Ligne.wav", "Fulrow.wav" and
// "Perdu.wav", as 16-bit mono PCM at 44100 Hz.
//
// Every note rises over a millisecond or more and every sound fades to zero
// before its last sample, so none starts or stops with a click; each is scaled
// to its own peak, well below full scale, to sit on top of the music.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

using Samples = std::vector<double>;

struct Partial {
  double ratio;      // frequency as a multiple of the note's
  double amplitude;
  double decay;      // seconds for the partial to fall to 1/e; 0 = as the note
};

struct Note {
  double start, length;  // seconds
  double from, to;       // frequency in Hz at the start and at the end (an exponential glide)
  double attack, decay;  // rise time and the time to fall to 1/e, in seconds
  double vibrato;        // depth as a fraction of the frequency, at 5.5 Hz
  std::vector<Partial> partials;
};

static double Envelope(const Note& n, double t) {
  double rise = std::min(1.0, t / n.attack);
  double fall = n.decay > 0 ? std::exp(-t / n.decay) : 1.0;
  double tail = std::min(1.0, (n.length - t) / 0.012);  // the last 12 ms fade to zero
  return rise * fall * std::max(0.0, tail);
}

static void AddNote(Samples& out, const Note& n) {
  size_t first = size_t(n.start * Rate), count = size_t(n.length * Rate);
  if (out.size() < first + count) out.resize(first + count, 0.0);
  std::vector<double> phase(n.partials.size(), 0.0);
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / Rate;
    double f = n.from * std::pow(n.to / n.from, t / n.length);
    f *= 1.0 + n.vibrato * std::sin(2 * Pi * 5.5 * t) * std::min(1.0, t / 0.15);
    double v = 0;
    for (size_t k = 0; k < n.partials.size(); ++k) {
      const Partial& p = n.partials[k];
      phase[k] += 2 * Pi * f * p.ratio / Rate;
      double own = p.decay > 0 ? std::exp(-t / p.decay) : 1.0;
      v += p.amplitude * own * std::sin(phase[k]);
    }
    out[first + i] += v * Envelope(n, t);
  }
}

static void ScaleToPeak(Samples& s, double peak) {
  double high = 0;
  for (double v : s) high = std::max(high, std::fabs(v));
  if (high > 0)
    for (double& v : s) v *= peak / high;
}

// ---- the four effects ----

// A lock: a low, damped knock with a short woody tick on top; heard at every
// landing, so the quietest of the four.
static Samples Pose() {
  Samples s;
  AddNote(s, {0, 0.09, 170, 110, 0.0015, 0.020, 0, {{1, 1, 0}, {2.1, 0.25, 0.008}}});
  AddNote(s, {0, 0.03, 1250, 1150, 0.0008, 0.005, 0, {{1, 0.35, 0}}});
  ScaleToPeak(s, 0.35);
  return s;
}

// Bell-like partials, slightly stretched, the upper ones dying first.
static std::vector<Partial> Bell() {
  return {{1, 1, 0}, {2.01, 0.45, 0.12}, {3.02, 0.2, 0.07}, {4.2, 0.12, 0.04}};
}

// One to three rows: a bright chime, E5 B5 E6 in quick succession.
static Samples Ligne() {
  Samples s;
  const double notes[3] = {659.26, 987.77, 1318.51};
  for (int i = 0; i < 3; ++i)
    AddNote(s, {0.055 * i, 0.42 - 0.055 * i, notes[i], notes[i], 0.002, 0.14, 0, Bell()});
  ScaleToPeak(s, 0.5);
  return s;
}

// Brass-like: all harmonics, the upper ones fading after the attack.
static std::vector<Partial> Brass() {
  std::vector<Partial> p;
  for (int k = 1; k <= 7; ++k) p.push_back({double(k), 1.0 / std::pow(k, 1.3), k > 2 ? 0.35 / k : 0});
  return p;
}

// Four rows: a fanfare, E major rising to a held chord with a little vibrato.
static Samples Fulrow() {
  Samples s;
  const double run[3] = {329.63, 415.30, 493.88};  // E4 G#4 B4
  for (int i = 0; i < 3; ++i) AddNote(s, {0.1 * i, 0.13, run[i], run[i], 0.008, 0, 0, Brass()});
  const double chord[3] = {415.30, 493.88, 659.26};  // G#4 B4 E5
  for (double f : chord) AddNote(s, {0.3, 0.95, f, f, 0.012, 0.45, 0.006, Brass()});
  AddNote(s, {0.3, 0.7, 1318.51, 1318.51, 0.002, 0.2, 0, Bell()});
  ScaleToPeak(s, 0.55);
  return s;
}

// A loss: a soft tone sliding down two octaves, wavering as it falls.
static Samples Perdu() {
  Samples s;
  AddNote(s, {0, 1.05, 440, 110, 0.015, 0.6, 0.025, {{1, 1, 0}, {3, 0.11, 0}, {5, 0.04, 0}}});
  ScaleToPeak(s, 0.42);
  return s;
}

// ---- output ----

static void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

static std::vector<uint8_t> WaveFile(const Samples& s) {
  uint32_t dataBytes = uint32_t(s.size() * 2);
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
  PutLittle(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLittle(out, 16, 4);
  PutLittle(out, 1, 2);         // PCM
  PutLittle(out, 1, 2);         // mono
  PutLittle(out, Rate, 4);
  PutLittle(out, Rate * 2, 4);  // bytes per second
  PutLittle(out, 2, 2);         // bytes per frame
  PutLittle(out, 16, 2);        // bits per sample
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLittle(out, dataBytes, 4);
  for (double v : s) PutLittle(out, uint32_t(int32_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767))), 2);
  return out;
}

static bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) std::fprintf(stderr, "make_wavs: cannot write %s\n", path.c_str());
  return ok;
}

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? std::string(argv[1]) + "/" : "";
  bool ok = WriteFile(dir + "Pose.wav", WaveFile(Pose()));
  ok = WriteFile(dir + "Ligne.wav", WaveFile(Ligne())) && ok;
  ok = WriteFile(dir + "Fulrow.wav", WaveFile(Fulrow())) && ok;
  ok = WriteFile(dir + "Perdu.wav", WaveFile(Perdu())) && ok;
  return ok ? 0 : 1;
}
