// Reads a screenshot (binary PPM) of the game window and checks the panels at their
// places and colours and a falling piece in the Playfield; prints its verdicts, the client
// area's corner and the count of drawn cells.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
  unsigned At(int x, int y) const {
    const unsigned char* p = &rgb[size_t(y * w + x) * 3];
    return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
  }
};

static bool ReadPpm(const char* path, Image& im) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  int max = 0;
  bool ok = std::fscanf(f, "P6 %d %d %d", &im.w, &im.h, &max) == 3 && max == 255;
  std::fgetc(f);
  im.rgb.resize(ok ? size_t(im.w) * im.h * 3 : 0);
  ok = ok && std::fread(im.rgb.data(), 1, im.rgb.size(), f) == im.rgb.size();
  std::fclose(f);
  return ok;
}

struct Origin { int x, y; };

// Client areas' corners: top-left pixels of a StatsPanel's navy whose left
// and upper neighbours are not navy.
static std::vector<Origin> FindOrigins(const Image& im) {
  std::vector<Origin> found;
  for (int y = 0; y + 400 <= im.h; ++y)
    for (int x = 0; x + 450 <= im.w; ++x)
      if (im.At(x, y) == 0x000080 && im.At(x + 69, y + 399) == 0x000080 &&
          (x == 0 || im.At(x - 1, y) != 0x000080) && (y == 0 || im.At(x, y - 1) != 0x000080))
        found.push_back({x, y});
  return found;
}

// Whether any pixel of the rectangle [x0, x1) x [y0, y1) has one of the colours.
static bool Any(const Image& im, int x0, int y0, int x1, int y1, unsigned a, unsigned b = ~0u) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (im.At(x, y) == a || im.At(x, y) == b) return true;
  return false;
}

static int Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  return ok ? 0 : 1;
}

static int CheckWindow(const Image& im, Origin o, int players, bool chat) {
  int ox = o.x, oy = o.y, failed = 0;
  std::printf("client area at %d,%d\n", ox, oy);  // read by pause_ghost.sh
  failed += Check(im.At(ox + 68, oy + 2) == 0x000080, "StatsPanel navy at x 0..69");
  failed += Check(im.At(ox + 272, oy + 1) == 0x800000, "PlayersPanel dark red at x 272, y 1");
  failed += Check(im.At(ox + 448, oy + 146) == 0x800000, "PlayersPanel dark red to x 449, y 147");
  failed += Check(im.At(ox + 448, oy + 398) == 0xFFFFFF, "MessageLog white at x 448, y 398");
  failed += Check(Any(im, ox + 5, oy + 10, ox + 40, oy + 30, 0xC0C0FF),
                  "pale blue \"Score\" text near x 5, y 10");
  // A Playfield cell with the white top bevel over a coloured face is a drawn piece or stack cell.
  int cells = 0;
  for (int row = 0; row < 20; ++row)
    for (int col = 0; col < 10; ++col) {
      int x = ox + 70 + col * 20, y = oy + row * 20;
      unsigned face = im.At(x + 10, y + 10);
      cells += im.At(x + 10, y) == 0xFFFFFF && face != 0 && face != 0xFFFFFF;
    }
  std::printf("cells drawn in the Playfield: %d\n", cells);  // read by held_down.sh
  failed += Check(cells >= 4, "a falling piece (four bevelled cells at least)");
  // A player's line of the PlayersPanel holds white or pale red text.
  int lines = 0;
  for (int i = 0; i < 8; ++i)
    lines += Any(im, ox + 275, oy + 18 + 16 * i, ox + 400, oy + 34 + 16 * i, 0xFFFFFF, 0xFFC0C0);
  failed += Check(lines == players, "one line per player in the PlayersPanel");
  if (chat)
    failed += Check(Any(im, ox + 270, oy + 148, ox + 450, oy + 400, 0x800080),
                    "a purple chat line in the MessageLog");
  return failed;
}

// shot-check SHOT.ppm [WINDOWS [PLAYERS [chat]]]
int main(int argc, char** argv) {
  Image im;
  if (argc < 2 || !ReadPpm(argv[1], im)) {
    std::fprintf(stderr, "usage: shot-check SHOT.ppm [WINDOWS [PLAYERS [chat]]]\n");
    return 2;
  }
  size_t windows = argc > 2 ? size_t(std::atoi(argv[2])) : 1;
  int players = argc > 3 ? std::atoi(argv[3]) : 1;
  bool chat = argc > 4 && std::strcmp(argv[4], "chat") == 0;
  std::vector<Origin> origins = FindOrigins(im);
  if (Check(origins.size() == windows, "every game window found by its StatsPanel")) return 1;
  int failed = 0;
  for (Origin o : origins) failed += CheckWindow(im, o, players, chat);
  return failed ? 1 : 0;
}
