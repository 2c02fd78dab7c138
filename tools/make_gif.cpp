// make_gif: paints the patterned display's picture, panel backgrounds and cell textures, as Ploxen.gif.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "tools/GifEncoder.h"

// The picture's layout, as the game cuts it.
static const int Width = 270, Height = 400;
static const int StatsRight = 70;  // x 0..69: StatsPanel
static const int PanelLeft = 70;   // x 70..249: PlayersPanel and MessageLog
static const int LogTop = 148;     // PlayersPanel y 0..147, MessageLog below
static const int TextureLeft = 250, Cell = 20;
static const int LogLine = 16;  // the log writes 16-pixel lines from its top

static GifPicture g_picture;

// A run of palette entries from dark to light; each region paints with one,
// so every pixel is a position 0..1 along a ramp.
struct Ramp {
  int first, count;
};

struct Key {
  float at;
  uint32_t colour;  // 0x00RRGGBB
};

static float Channel(uint32_t c, int shift) { return float((c >> shift) & 0xFF); }

static uint32_t Mix(uint32_t a, uint32_t b, float f) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    float v = Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * f;
    out |= uint32_t(std::lround(std::clamp(v, 0.0f, 255.0f))) << shift;
  }
  return out;
}

static Ramp AddRamp(std::initializer_list<Key> keys, int count) {
  Ramp r{int(g_picture.colours.size()), count};
  std::vector<Key> k(keys);
  for (int i = 0; i < count; ++i) {
    float t = float(i) / float(count - 1);
    size_t s = 1;
    while (s + 1 < k.size() && k[s].at < t) ++s;
    float f = (t - k[s - 1].at) / (k[s].at - k[s - 1].at);
    g_picture.colours.push_back(Mix(k[s - 1].colour, k[s].colour, std::clamp(f, 0.0f, 1.0f)));
  }
  return r;
}

// Ordered dithering between neighbouring shades keeps gradients free of bands.
static float Threshold(int x, int y) {
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (float(bayer[y & 3][x & 3]) + 0.5f) / 16.0f;
}

static void Put(int x, int y, Ramp r, float t, bool dither = true) {
  float pos = std::clamp(t, 0.0f, 1.0f) * float(r.count - 1);
  int i = dither ? int(pos + Threshold(x, y)) : int(std::lround(pos));
  g_picture.indices[size_t(y) * Width + x] = uint8_t(r.first + std::clamp(i, 0, r.count - 1));
}

// Repeatable noise: a hash of the position, and a smooth version of it.
static float Hash(int x, int y, int seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return float((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

static float Smooth(float x, float y, int seed) {
  int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  float fx = x - float(x0), fy = y - float(y0);
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  float a = Hash(x0, y0, seed), b = Hash(x0 + 1, y0, seed);
  float c = Hash(x0, y0 + 1, seed), d = Hash(x0 + 1, y0 + 1, seed);
  return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

// A raised or sunken frame: light on the lit side (top, left), dark on the
// other; as on the plain cells, the top row owns the top-right corner and the
// bottom row the bottom-left one. -1 off the frame.
static float Bevel(int x, int y, int x0, int y0, int x1, int y1, float lit, float shade) {
  if (x < x0 || x > x1 || y < y0 || y > y1) return -1;
  if (y == y0) return lit;
  if (y == y1) return shade;
  if (x == x0) return lit;
  if (x == x1) return shade;
  return -1;
}

// StatsPanel: deep navy twill with sunken wells behind each label and its number.
static const int Wells[][2] = {{4, 62}, {84, 142}, {164, 222}, {244, 302}, {322, 376}};

static float StatsShade(int x, int y) {
  float t = 0.34f + 0.04f * std::sin(float(x + y) * 1.05f) +
            0.05f * (Smooth(x / 9.0f, y / 9.0f, 1) - 0.5f);
  t -= 0.08f * std::abs(float(y) - 200.0f) / 200.0f;
  float edge = Bevel(x, y, 0, 0, StatsRight - 1, Height - 1, 0.72f, 0.04f);
  if (edge >= 0) return edge;
  for (const auto& w : Wells) {
    if (y < w[0] || y > w[1] || x < 3 || x > StatsRight - 4) continue;
    float rim = Bevel(x, y, 3, w[0], StatsRight - 4, w[1], 0.03f, 0.58f);
    if (rim >= 0) return rim;
    return 0.15f + 0.03f * (Smooth(x / 6.0f, y / 6.0f, 2) - 0.5f) +
           0.05f * float(y - w[0]) / float(w[1] - w[0]);
  }
  // A small stud between two wells.
  for (size_t i = 0; i + 1 < std::size(Wells); ++i) {
    float cy = float(Wells[i][1] + Wells[i + 1][0]) / 2, d = std::abs(x - 34.5f) + std::abs(y - cy);
    if (d < 4.5f) return 0.55f + 0.1f * (cy - float(y) + 34.5f - float(x)) / 4.5f;
  }
  return t;
}

// PlayersPanel: wine red, a title band for the header, one stripe per player
// line and a groove before the heights column.
static float PlayersShade(int u, int v) {
  float edge = Bevel(u, v, 0, 0, 179, LogTop - 1, 0.7f, 0.05f);
  if (edge >= 0) return edge;
  float grain = 0.03f * (Smooth(u / 5.0f, v / 5.0f, 3) - 0.5f);
  if (v < 17) return 0.46f - 0.1f * float(v) / 17.0f + grain;
  if (v == 17) return 0.08f;
  if (v == 18) return 0.62f;
  if (u == 144) return 0.1f;
  if (u == 145) return 0.4f;
  int line = (v - 18) / LogLine;
  return (line % 2 ? 0.27f : 0.19f) + grain + 0.02f * std::sin(float(u) * 0.07f);
}

// MessageLog: light paper with faint rules between the 16-pixel text lines.
// Every channel stays at 128 or more, so the text ANDed onto it keeps its colour.
static float LogShade(int u, int v, bool* rule) {
  float fibre = 0.08f * (Smooth(u / 2.5f, v / 14.0f, 4) - 0.5f) +
                0.06f * (Smooth(u / 20.0f, v / 20.0f, 5) - 0.5f);
  float du = std::min(u, 179 - u) / 30.0f, dv = std::min(v, 251 - v) / 30.0f;
  float vignette = 0.18f * (1 - std::min(1.0f, std::min(du, dv)));
  *rule = v % LogLine == LogLine - 1 && u > 1 && u < 178;
  if (v == 0) return 0.15f;
  if (v == 1) return 0.45f;
  return 0.82f + fibre - vignette;
}

// Cell motifs: a shade offset (about -1..1) for face pixel (i, j) of the
// 20 x 20 cell, (x, y) the same pixel from the cell's centre. Each type has its
// own, so the types differ by more than colour.
static float Stripes(int i, int j, float, float) { return ((i + j) / 3) % 2 ? 0.7f : -0.5f; }

static float Studs(int, int, float x, float y) {
  float dx = std::fmod(x + 20, 7.0f) - 3.5f, dy = std::fmod(y + 20, 7.0f) - 3.5f;
  return std::hypot(dx, dy) < 2.2f ? 0.9f : -0.2f;
}

static float Panel(int, int, float x, float y) {
  float r = std::max(std::abs(x), std::abs(y));
  return r < 4.0f ? 0.8f : r < 5.0f ? -1.0f : 0.0f;
}

static float Checks(int i, int j, float, float) {
  return ((i + 2) / 4 + (j + 2) / 4) % 2 ? 0.8f : -0.9f;
}

static float Bricks(int i, int j, float, float) {
  bool mortar = j % 5 == 1 || (i + (j / 5) % 2 * 4) % 8 == 0;
  return mortar ? -1.1f : 0.2f;
}

static float Diamond(int, int, float x, float y) {
  return std::abs(x) + std::abs(y) < 6.0f ? 0.8f - 0.1f * (x + y) : -0.2f;
}

// A brushed plate with four rivets lit from the top left.
static float Rivets(int, int j, float x, float y) {
  float dx = x - std::copysign(5.0f, x), dy = y - std::copysign(5.0f, y);
  if (std::hypot(dx, dy) < 1.8f) return 0.4f - 0.6f * (dx + dy);
  return j % 2 ? 0.25f : -0.25f;
}

static float Hatch(int i, int j, float, float) {
  return (i + j) % 6 == 0 || (i - j + 24) % 6 == 0 ? -1.2f : 0.25f;
}

using MotifShade = float (*)(int, int, float, float);
static const MotifShade Motifs[8] = {Stripes, Studs, Panel, Checks, Bricks, Diamond, Rivets, Hatch};

// One cell texture: a two-pixel bevel around a face that carries the type's motif.
static float CellShade(int kind, int i, int j) {
  float outer = Bevel(i, j, 0, 0, Cell - 1, Cell - 1, 0.97f, 0.1f);
  if (outer >= 0) return outer;
  float inner = Bevel(i, j, 1, 1, Cell - 2, Cell - 2, 0.8f, 0.3f);
  if (inner >= 0) return inner;
  float gloss = 0.08f * (1 - std::hypot(float(i) - 6, float(j) - 6) / 14.0f);
  float x = float(i) - 9.5f, y = float(j) - 9.5f;
  return 0.55f + 0.12f * Motifs[kind - 1](i, j, x, y) + gloss;
}

// The seven piece colours, then the wall and penalty cell's, as the plain display shows them.
static const uint32_t CellColours[8] = {0xFF0000, 0x00C000, 0x8080FF, 0xFFFF80,
                                        0xFF8000, 0xFF00C0, 0xC0C0C0, 0x00FF00};

static void PaintCells() {
  for (int kind = 1; kind <= 8; ++kind) {
    uint32_t base = CellColours[kind - 1];
    Ramp r = AddRamp({{0.0f, Mix(0, base, 0.22f)},
                      {0.3f, Mix(0, base, 0.6f)},
                      {0.55f, base},
                      {0.8f, Mix(base, 0xFFFFFF, 0.45f)},
                      {1.0f, Mix(base, 0xFFFFFF, 0.85f)}},
                     18);
    for (int j = 0; j < Cell; ++j)
      for (int i = 0; i < Cell; ++i)
        Put(TextureLeft + i, (kind - 1) * Cell + j, r, CellShade(kind, i, j), false);
  }
}

static void PaintPanels() {
  Ramp stats =
      AddRamp({{0.0f, 0x02030E}, {0.35f, 0x101848}, {0.7f, 0x283A8C}, {1.0f, 0x6E82D2}}, 32);
  Ramp players =
      AddRamp({{0.0f, 0x0A0206}, {0.3f, 0x340A18}, {0.6f, 0x6E1C32}, {1.0f, 0xC8788C}}, 32);
  Ramp paper = AddRamp({{0.0f, 0xC8BCA0}, {0.5f, 0xE8DEC4}, {1.0f, 0xFFFBF0}}, 32);
  Ramp rules = AddRamp({{0.0f, 0xAABEE1}, {1.0f, 0xD2DEF2}}, 8);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < StatsRight; ++x) Put(x, y, stats, StatsShade(x, y));
  for (int v = 0; v < LogTop; ++v)
    for (int u = 0; u < TextureLeft - PanelLeft; ++u)
      Put(PanelLeft + u, v, players, PlayersShade(u, v));
  for (int v = 0; v < Height - LogTop; ++v)
    for (int u = 0; u < TextureLeft - PanelLeft; ++u) {
      bool rule = false;
      float t = LogShade(u, v, &rule);
      Put(PanelLeft + u, LogTop + v, rule ? rules : paper, rule ? t * 0.9f : t);
    }
  // Below the textures nothing is shown; the paper goes on so the file looks whole.
  for (int y = 8 * Cell; y < Height; ++y)
    for (int x = TextureLeft; x < Width; ++x)
      Put(x, y, paper, 0.7f + 0.08f * (Smooth(x / 3.0f, y / 9.0f, 6) - 0.5f));
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_gif OUTPUT.gif\n");
    return 2;
  }
  g_picture.width = Width;
  g_picture.height = Height;
  g_picture.indices.assign(size_t(Width) * Height, 0);
  PaintPanels();
  PaintCells();
  if (g_picture.colours.size() > 256) {
    std::fprintf(stderr, "make_gif: %zu colours, 256 at most\n", g_picture.colours.size());
    return 1;
  }
  if (!WriteBytes(argv[1], EncodeGif(g_picture))) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
