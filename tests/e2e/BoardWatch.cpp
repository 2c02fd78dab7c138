// Reads the game's window from the X server's screen as a player would see it.
//   board-watch board            prints the client area's corner and the Playfield's cells
//   board-watch audio RAW FROM TO  prints per tenth of a second of 44.1 kHz 16-bit stereo,
//                                from byte FROM to byte TO, '#' for sound and '.' for silence
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

static xcb_connection_t* X;
static xcb_window_t Root;
static int OriginX = -1, OriginY = -1;

static std::vector<uint32_t> Grab(int x, int y, int w, int h) {
  xcb_get_image_reply_t* r = xcb_get_image_reply(
      X, xcb_get_image(X, XCB_IMAGE_FORMAT_Z_PIXMAP, Root, int16_t(x), int16_t(y), uint16_t(w),
                       uint16_t(h), ~0u),
      nullptr);
  if (!r) return {};
  auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(r));
  std::vector<uint32_t> px(data, data + size_t(w) * h);
  for (uint32_t& p : px) p &= 0xFFFFFF;
  std::free(r);
  return px;
}

// The client area's corner: the StatsPanel's navy top-left pixel.
static bool FindOrigin(int width, int height) {
  std::vector<uint32_t> s = Grab(0, 0, width, height);
  auto at = [&](int x, int y) { return s[size_t(y) * width + x]; };
  for (int y = 1; y + 400 <= height; ++y)
    for (int x = 1; x + 450 <= width; ++x)
      if (at(x, y) == 0x000080 && at(x + 69, y + 399) == 0x000080 && at(x - 1, y) != 0x000080 &&
          at(x, y - 1) != 0x000080) {
        OriginX = x, OriginY = y;
        return true;
      }
  return false;
}

// The Playfield's 20 rows of 10, '#' for a drawn cell (the white top bevel over a coloured
// face) and '.' for none.
static void PrintBoard() {
  std::vector<uint32_t> s = Grab(OriginX + 70, OriginY, 200, 400);
  for (int row = 0; row < 20; ++row) {
    std::string line(10, '.');
    for (int col = 0; col < 10 && !s.empty(); ++col) {
      uint32_t top = s[size_t(row * 20) * 200 + col * 20 + 10];
      uint32_t face = s[size_t(row * 20 + 10) * 200 + col * 20 + 10];
      if (top == 0xFFFFFF && face != 0 && face != 0xFFFFFF) line[col] = '#';
    }
    std::printf("%s\n", line.c_str());
  }
}

static int Audio(const char* path, long from, long to) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return 1;
  std::fseek(f, from & ~3L, SEEK_SET);
  std::vector<int16_t> tenth(4410 * 2);
  for (long at = from; at + long(tenth.size() * 2) <= to; at += long(tenth.size() * 2)) {
    if (std::fread(tenth.data(), 2, tenth.size(), f) != tenth.size()) break;
    bool sound = std::any_of(tenth.begin(), tenth.end(), [](int v) { return std::abs(v) > 300; });
    std::putchar(sound ? '#' : '.');
  }
  std::fclose(f);
  std::printf("\n");
  return 0;
}

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "audio" && argc > 4) return Audio(argv[2], std::atol(argv[3]), std::atol(argv[4]));
  if (mode != "board") return 2;
  X = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(X)) return 2;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(X)).data;
  Root = screen->root;
  if (!FindOrigin(screen->width_in_pixels, screen->height_in_pixels)) {
    std::printf("FAILED: no game window on the screen\n");
    return 1;
  }
  std::printf("%d %d\n", OriginX, OriginY);
  PrintBoard();
  return 0;
}
