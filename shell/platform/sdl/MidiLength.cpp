// The playing time of a Standard MIDI File: its tracks walked event by event for their
// last tick, its tempo changes summed into seconds.
#include "shell/platform/sdl/MidiLength.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

struct Reader {
  const uint8_t* p;
  const uint8_t* end;
  bool bad;
};

struct Tempo {
  uint64_t tick;
  uint32_t microsPerQuarter;
};

// Reading past the end gives zeros and marks the reader bad, checked once per track.
static uint32_t ReadByte(Reader& r) {
  if (r.p >= r.end) {
    r.bad = true;
    return 0;
  }
  return *r.p++;
}

static uint32_t ReadBig(Reader& r, int bytes) {
  uint32_t v = 0;
  while (bytes--) v = v << 8 | ReadByte(r);
  return v;
}

static uint32_t ReadVarLength(Reader& r) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    uint32_t b = ReadByte(r);
    v = v << 7 | (b & 0x7F);
    if (!(b & 0x80)) return v;
  }
  r.bad = true;
  return 0;
}

static void SkipBytes(Reader& r, uint32_t n) {
  if (n > uint32_t(r.end - r.p)) r.bad = true;
  r.p += std::min<size_t>(n, size_t(r.end - r.p));
}

// One event after its delta time; tempo changes are kept, everything else skipped.
static void ReadEvent(Reader& r, uint64_t tick, uint32_t& status, std::vector<Tempo>& tempos) {
  uint32_t b = ReadByte(r);
  if (b < 0x80) {  // running status: b is the first data byte
    if (status < 0x80) r.bad = true;
    if ((status & 0xE0) != 0xC0) ReadByte(r);
    return;
  }
  if (b == 0xFF) {
    uint32_t type = ReadByte(r), length = ReadVarLength(r);
    if (type == 0x51 && length == 3) tempos.push_back({tick, ReadBig(r, 3)});
    else SkipBytes(r, length);
    return;
  }
  if (b == 0xF0 || b == 0xF7) return SkipBytes(r, ReadVarLength(r));
  status = b;
  SkipBytes(r, (b & 0xE0) == 0xC0 ? 1 : 2);
}

static uint64_t ReadTrack(Reader& r, std::vector<Tempo>& tempos) {
  uint64_t tick = 0;
  uint32_t status = 0;
  while (!r.bad && r.p < r.end) {
    tick += ReadVarLength(r);
    if (r.p + 2 <= r.end && r.p[0] == 0xFF && r.p[1] == 0x2F) break;
    ReadEvent(r, tick, status, tempos);
  }
  return tick;
}

static double TicksToSeconds(uint64_t endTick, uint32_t division, std::vector<Tempo> tempos) {
  if (division & 0x8000) {  // SMPTE: frames per second and ticks per frame, no tempo
    int fps = 256 - int(division >> 8);
    if ((division & 0xFF) == 0) return -1;  // no tick would ever pass
    return double(endTick) / ((fps == 29 ? 29.97 : fps) * double(division & 0xFF));
  }
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
  double micros = 0;
  uint64_t at = 0;
  uint32_t tempo = 500000;
  for (const Tempo& t : tempos) {
    if (t.tick >= endTick) break;
    micros += double(t.tick - at) * tempo / division;
    at = t.tick;
    tempo = t.microsPerQuarter;
  }
  micros += double(endTick - at) * tempo / division;
  return micros / 1e6;
}

double MidiSeconds(const uint8_t* bytes, size_t size) {
  Reader r{bytes, bytes + size, false};
  uint32_t id = ReadBig(r, 4), length = ReadBig(r, 4);
  if (id != 0x4D546864 || length < 6) return -1;  // "MThd"
  ReadBig(r, 2);
  uint32_t tracks = ReadBig(r, 2), division = ReadBig(r, 2);
  SkipBytes(r, length - 6);
  if (r.bad || division == 0) return -1;
  std::vector<Tempo> tempos;
  uint64_t endTick = 0;
  for (uint32_t i = 0; i < tracks; ++i) {
    id = ReadBig(r, 4), length = ReadBig(r, 4);
    if (r.bad || length > uint32_t(r.end - r.p)) return -1;
    Reader track{r.p, r.p + length, false};
    if (id == 0x4D54726B) endTick = std::max(endTick, ReadTrack(track, tempos));  // "MTrk"
    if (track.bad) return -1;
    r.p += length;
  }
  double seconds = TicksToSeconds(endTick, division, tempos);
  return std::isfinite(seconds) && seconds >= 0 ? seconds : -1;
}

double MidiFileSeconds(const char* fileName) {
  std::FILE* f = std::fopen(fileName, "rb");
  if (!f) return -1;
  std::vector<uint8_t> bytes;
  uint8_t chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  return MidiSeconds(bytes.data(), bytes.size());
}
