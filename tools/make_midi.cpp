// make_midi: writes "Ploxen.mid", the game's looping tune, as a General MIDI file.
//
// E minor, 152 beats a minute, 52 bars (about 82 s): intro, two verses, a
// chorus, a half-time bridge, verse, chorus. The last bar ends on short notes
// and the intro starts on the first tick, so that the restart after the end
// notice follows without a gap.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

constexpr int Ppq = 480;          // ticks per quarter note
constexpr int Step = Ppq / 4;     // a sixteenth note: the unit of every pattern
constexpr int BarSteps = 16;
constexpr int Bpm = 152;

enum Groove { Intro, Drive, HalfTime };

struct Section {
  const char* chords;  // one field per bar; a field of two chords splits the bar
  const char* melody;  // pitch:sixteenths tokens, "-" for a rest; empty for none
  Groove groove;
  bool doubled;        // the glockenspiel doubles the melody an octave up
  bool crash;          // a cymbal marks the section's first beat
};

static const char VerseChords[] = "Em|C|D|B7|Em|C|Am D|G B7";
static const char ChorusChords[] = "C|D|Bm|Em|Am|D|G|B7";

static const char VerseTune[] =
    "B4:2 E5:2 G5:3 F#5:1 E5:2 B4:2 -:2 G4:2  C5:2 E5:2 G5:2 E5:2 C5:3 D5:1 E5:4 "
    "D5:2 F#5:2 A5:3 G5:1 F#5:2 D5:2 A4:4  B4:2 D#5:2 F#5:2 A5:2 G5:2 F#5:2 D#5:4 "
    "B4:2 E5:2 G5:3 F#5:1 E5:2 G5:2 B5:4  C6:3 B5:1 A5:2 G5:2 E5:4 G5:2 E5:2 "
    "A5:2 G5:2 F#5:2 E5:2 D5:2 F#5:2 A5:2 C6:2  ";
static const char VerseEndA[] = "B5:4 G5:2 D5:2 D#5:2 F#5:2 B4:4";
static const char VerseEndB[] = "B5:2 A5:2 G5:2 D5:2 D#5:2 F#5:2 A5:2 F#5:2";

static const char ChorusTune[] =
    "G5:6 E5:2 C5:4 E5:4  F#5:6 D5:2 A4:4 D5:4  F#5:4 B5:4 A5:2 F#5:2 D5:4  E5:6 G5:2 B5:8 "
    "C6:4 B5:2 A5:2 E5:4 A5:4  A5:4 F#5:2 D5:2 A4:4 C5:4  B4:2 D5:2 G5:4 F#5:2 G5:2 A5:4  ";
static const char ChorusEndA[] = "B5:3 A5:1 F#5:2 D#5:2 B4:4 D#5:2 F#5:2";
static const char ChorusEndLast[] = "B5:2 A5:2 F#5:2 D#5:2 B4:2 -:6";

static const char BridgeTune[] =
    "E5:4 A5:4 G5:2 E5:2 C5:4  D5:2 E5:2 C5:2 A4:2 -:8  B4:4 E5:4 F#5:2 G5:2 B5:4 "
    "A5:2 G5:2 F#5:2 E5:2 -:8  E5:2 G5:2 C6:4 B5:2 G5:2 E5:4  F#5:2 A5:2 D6:4 C6:2 A5:2 F#5:4 "
    "D#5:2 F#5:2 B5:4 A5:4 F#5:4  D#5:2 B4:2 D#5:2 F#5:2 A5:2 B5:2 -:4";

static const std::string Verse1 = std::string(VerseTune) + VerseEndA;
static const std::string Verse2 = std::string(VerseTune) + VerseEndB;
static const std::string Chorus1 = std::string(ChorusTune) + ChorusEndA;
static const std::string Chorus2 = std::string(ChorusTune) + ChorusEndLast;

static const std::vector<Section> Song = {
    {"Em|C|D|B7", "", Intro, false, false},
    {VerseChords, Verse1.c_str(), Drive, false, true},
    {VerseChords, Verse2.c_str(), Drive, true, false},
    {ChorusChords, Chorus1.c_str(), Drive, false, true},
    {"Am|Am|Em|Em|C|D|B7|B7", BridgeTune, HalfTime, false, false},
    {VerseChords, Verse1.c_str(), Drive, true, true},
    {ChorusChords, Chorus2.c_str(), Drive, false, true},
};

// ---- MIDI events and tracks ----

struct Event {
  uint32_t tick;
  int order;  // at one tick: note-offs, then controls, then note-ons
  std::vector<uint8_t> bytes;
};

struct Part {
  const char* name;
  int channel, program, volume, pan, reverb;
  std::vector<Event> events;
};

static Part Lead{"Lead", 0, 80, 106, 64, 50, {}};
static Part Glock{"Glockenspiel", 1, 9, 58, 84, 60, {}};
static Part Bass{"Bass", 2, 38, 96, 64, 0, {}};
static Part Stabs{"Piano", 3, 4, 84, 44, 40, {}};
static Part Marimba{"Marimba", 4, 12, 88, 88, 40, {}};
static Part Drums{"Drums", 9, 0, 100, 64, 30, {}};

static void AddNote(Part& p, uint32_t tick, int lengthTicks, int pitch, int velocity) {
  uint8_t ch = uint8_t(p.channel);
  p.events.push_back({tick, 2, {uint8_t(0x90 | ch), uint8_t(pitch), uint8_t(velocity)}});
  p.events.push_back({tick + uint32_t(lengthTicks), 0, {uint8_t(0x80 | ch), uint8_t(pitch), 0}});
}

// ---- chords ----

struct Chord {
  int root;  // pitch class, C = 0
  std::vector<int> tones;  // intervals above the root
};

static int PitchClass(const char* name, const char** rest) {
  static const int Naturals[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  int pc = Naturals[name[0] - 'A'];
  ++name;
  if (*name == '#') ++pc, ++name;
  else if (*name == 'b') --pc, ++name;
  *rest = name;
  return (pc + 12) % 12;
}

static Chord ParseChord(const std::string& name) {
  const char* rest;
  Chord c{PitchClass(name.c_str(), &rest), {0, 4, 7}};
  if (*rest == 'm') c.tones = {0, 3, 7};
  if (std::strchr(rest, '7')) c.tones.push_back(10);
  return c;
}

// Splits "Em|C|Am D" into bars of one or two chords.
static std::vector<std::vector<Chord>> ParseBars(const char* text) {
  std::vector<std::vector<Chord>> bars(1);
  std::string word;
  for (const char* s = text;; ++s) {
    if (*s == ' ' || *s == '|' || *s == 0) {
      if (!word.empty()) bars.back().push_back(ParseChord(word));
      word.clear();
      if (*s == 0) break;
      if (*s == '|') bars.emplace_back();
    } else {
      word += *s;
    }
  }
  return bars;
}

// The chord's tones placed in [low, low + 12), lowest first.
static std::vector<int> Voicing(const Chord& c, int low) {
  std::vector<int> v;
  for (int t : c.tones) v.push_back(low + ((c.root + t - low) % 12 + 12) % 12);
  std::sort(v.begin(), v.end());
  return v;
}

// ---- the parts, one bar (or half bar) at a time ----

// Eighth notes on root, octave and fifth; the root sits in C2..B2.
static void BassBar(uint32_t tick, const Chord& c, int steps, Groove g) {
  static const int Full[8] = {0, 0, 12, 0, 7, 0, 12, 7};
  static const int Half[4] = {0, 12, 7, 12};
  int root = 36 + c.root;
  if (g == HalfTime) {
    AddNote(Bass, tick, 5 * Step, root, 100);
    AddNote(Bass, tick + 6 * Step, Step, root, 80);
    if (steps == BarSteps) AddNote(Bass, tick + 8 * Step, 7 * Step, root + 7, 95);
    return;
  }
  for (int i = 0; i < steps / 2; ++i) {
    int offset = steps == BarSteps ? Full[i] : Half[i];
    AddNote(Bass, tick + uint32_t(i * 2 * Step), Step + Step / 2, root + offset, i % 2 ? 84 : 104);
  }
}

// Short chords on the off-beats, between G3 and G4.
static void StabsBar(uint32_t tick, const Chord& c, int steps, Groove g) {
  if (g == Intro) return;
  int first = g == HalfTime ? 4 : 2, every = g == HalfTime ? 8 : 4;
  for (int s = first; s < steps; s += every)
    for (int pitch : Voicing(c, 55)) AddNote(Stabs, tick + uint32_t(s * Step), Step, pitch, 66);
}

// Up and down the chord over two octaves from E3: sixteenths when the lead
// rests or the beat is halved, quiet eighths under the melody.
static void MarimbaBar(uint32_t tick, const Chord& c, int steps, Groove g) {
  std::vector<int> low = Voicing(c, 52), tones = low;
  for (int p : low) tones.push_back(p + 12);
  static const int Walk[8] = {0, 1, 2, 3, 4, 3, 2, 1};
  bool busy = g != Drive;
  int every = busy ? 1 : 2;
  for (int s = 0, i = 0; s < steps; s += every, ++i) {
    int pitch = tones[size_t(Walk[i % 8]) % tones.size()];
    AddNote(Marimba, tick + uint32_t(s * Step), Step, pitch, busy ? 78 : 58);
  }
}

// Parses "B4:2" (B4 for two sixteenths) and "-:4" (a rest); returns steps used.
static int MelodyNote(const std::string& token, uint32_t tick, bool doubled) {
  size_t colon = token.find(':');
  int steps = std::atoi(token.c_str() + colon + 1);
  if (token[0] == '-') return steps;
  const char* rest;
  int pc = PitchClass(token.c_str(), &rest);
  int pitch = 12 * (std::atoi(rest) + 1) + pc;
  int length = steps * Step - Step / 4;
  AddNote(Lead, tick, length, pitch, steps >= 4 ? 96 : 88);
  if (doubled) AddNote(Glock, tick, Step, pitch + 12, 52);
  return steps;
}

static int MelodyLine(const char* text, uint32_t tick, bool doubled) {
  int used = 0;
  std::string token;
  for (const char* s = text;; ++s) {
    if (*s == ' ' || *s == 0) {
      if (!token.empty()) used += MelodyNote(token, tick + uint32_t(used * Step), doubled);
      token.clear();
      if (*s == 0) break;
    } else {
      token += *s;
    }
  }
  return used;
}

// ---- drums: one row per instrument, 'X' accent, 'x' hit, 'o' ghost ----

struct DrumLine {
  int note;
  const char* hits;
  int velocity;
};
using DrumBar = std::vector<DrumLine>;

static const DrumBar IntroBeat = {{36, "X.......X.x.....", 100}, {42, "x.x.x.x.x.x.x.x.", 62}};
static const DrumBar DriveBeat = {
    {36, "X.......X.x.....", 110}, {38, "....X.......X...", 100}, {42, "x.x.x.x.x.x.x.xo", 70}};
static const DrumBar DriveFill = {
    {36, "X.......X.......", 110}, {38, "....X.......XxxX", 100}, {42, "x.x.x.x.x.x.....", 70}};
static const DrumBar HalfBeat = {
    {36, "X.........X.....", 105}, {38, "........X.......", 100}, {42, "x...x...x...x...", 66}};
static const DrumBar HalfFill = {
    {36, "X...X...X...X...", 100}, {38, "....o.o.xxxxXXXX", 96}, {42, "x...x...........", 66}};
// The song's last bar: no cymbal that rings into the restart.
static const DrumBar FinalBar = {
    {36, "X.......X.......", 110}, {38, "....X.......XX..", 100}, {42, "x.x.x.x.x.x.....", 70}};

static void DrumsBar(uint32_t tick, const DrumBar& bar) {
  for (const DrumLine& line : bar)
    for (int s = 0; s < BarSteps; ++s) {
      char h = line.hits[s];
      if (h == '.') continue;
      int v = h == 'X' ? line.velocity : h == 'x' ? line.velocity * 4 / 5 : line.velocity * 11 / 20;
      AddNote(Drums, tick + uint32_t(s * Step), Step, line.note, v);
    }
}

static const DrumBar& DrumsFor(const Section& s, size_t bar, size_t bars, bool lastSection) {
  bool last = bar + 1 == bars;
  if (s.groove == Intro) return last ? DriveFill : bar >= 2 ? DriveBeat : IntroBeat;
  if (s.groove == HalfTime) return last ? HalfFill : HalfBeat;
  if (last) return lastSection ? FinalBar : DriveFill;
  return DriveBeat;
}

// ---- the song ----

static uint32_t AddSection(const Section& s, uint32_t tick, bool lastSection) {
  std::vector<std::vector<Chord>> bars = ParseBars(s.chords);
  if (s.melody[0] && MelodyLine(s.melody, tick, s.doubled) != int(bars.size()) * BarSteps)
    std::fprintf(stderr, "make_midi: a melody does not fill its %zu bars\n", bars.size());
  if (s.crash) AddNote(Drums, tick, Step, 49, 92);
  for (size_t b = 0; b < bars.size(); ++b) {
    int steps = BarSteps / int(bars[b].size());
    for (size_t c = 0; c < bars[b].size(); ++c) {
      uint32_t at = tick + uint32_t(c * steps * Step);
      BassBar(at, bars[b][c], steps, s.groove);
      StabsBar(at, bars[b][c], steps, s.groove);
      MarimbaBar(at, bars[b][c], steps, s.groove);
    }
    DrumsBar(tick, DrumsFor(s, b, bars.size(), lastSection));
    tick += BarSteps * Step;
  }
  return tick;
}

// ---- Standard MIDI File output ----

static void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

static void PutVarLength(std::vector<uint8_t>& out, uint32_t value) {
  uint8_t groups[5];
  int n = 0;
  do groups[n++] = value & 0x7F; while ((value >>= 7) != 0);
  while (n > 1) out.push_back(groups[--n] | 0x80);
  out.push_back(groups[0]);
}

static Event Meta(uint32_t tick, uint8_t type, std::vector<uint8_t> data) {
  std::vector<uint8_t> bytes = {0xFF, type, uint8_t(data.size())};
  bytes.insert(bytes.end(), data.begin(), data.end());
  return {tick, 1, bytes};
}

static Event Name(const char* text) {
  return Meta(0, 0x03, std::vector<uint8_t>(text, text + std::strlen(text)));
}

// Every track ends on the song's last tick, so the player's end is the bar's end.
static void PutTrack(std::vector<uint8_t>& out, std::vector<Event> events, uint32_t end) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  events.push_back(Meta(end, 0x2F, {}));
  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const Event& e : events) {
    PutVarLength(body, e.tick - now);
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  PutBig(out, uint32_t(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
}

static std::vector<Event> PartEvents(const Part& p) {
  uint8_t ch = uint8_t(p.channel);
  std::vector<Event> e = {Name(p.name), {0, 1, {uint8_t(0xC0 | ch), uint8_t(p.program)}}};
  const int controls[4][2] = {{7, p.volume}, {10, p.pan}, {91, p.reverb}, {93, 0}};
  for (const auto& c : controls) e.push_back({0, 1, {uint8_t(0xB0 | ch), uint8_t(c[0]), uint8_t(c[1])}});
  e.insert(e.end(), p.events.begin(), p.events.end());
  return e;
}

static std::vector<uint8_t> BuildFile() {
  uint32_t end = 0;
  for (size_t i = 0; i < Song.size(); ++i) end = AddSection(Song[i], end, i + 1 == Song.size());
  const Part* parts[] = {&Lead, &Glock, &Bass, &Stabs, &Marimba, &Drums};
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBig(out, 1 + std::size(parts), 2);
  PutBig(out, Ppq, 2);
  uint32_t microsPerQuarter = 60000000 / Bpm;
  PutTrack(out,
           {Name("Ploxen"),
            Meta(0, 0x51, {uint8_t(microsPerQuarter >> 16), uint8_t(microsPerQuarter >> 8),
                           uint8_t(microsPerQuarter)}),
            Meta(0, 0x58, {4, 2, 24, 8})},
           end);
  for (const Part* p : parts) PutTrack(out, PartEvents(*p), end);
  return out;
}

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "Ploxen.mid";
  std::vector<uint8_t> bytes = BuildFile();
  std::FILE* f = std::fopen(path, "wb");
  if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "make_midi: cannot write %s\n", path);
    return 1;
  }
  return 0;
}
