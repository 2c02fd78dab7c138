// Plays Solo on the X server's screen as a player would see it: reads the Playfield from the
// screen itself, places each piece where it clears most and leaves fewest holes (keys sent
// with xdotool), and while a piece drops samples the screen as fast as it can for the frames
// of a row clearing from the middle outward. Prints what it saw.
//   board-watch play SECONDS     plays from a fresh piece on, then prints the clears and frames
//   board-watch board            prints the client area's corner and the Playfield's cells
//   board-watch audio RAW FROM TO  prints per tenth of a second of 44.1 kHz 16-bit stereo,
//                                from byte FROM to byte TO, '#' for sound and '.' for silence
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

using Grid = std::vector<std::string>;  // 20 rows of 10: '#' a drawn cell, '.' none

static xcb_connection_t* X;
static xcb_window_t Root;
static int OriginX = -1, OriginY = -1;

static std::vector<uint32_t> Grab(int x, int y, int w, int h) {
  xcb_get_image_reply_t* r = xcb_get_image_reply(
      X, xcb_get_image(X, XCB_IMAGE_FORMAT_Z_PIXMAP, Root, int16_t(x), int16_t(y), uint16_t(w),
                       uint16_t(h), ~0u),
      nullptr);
  std::vector<uint32_t> px;
  if (!r) return px;
  auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(r));
  px.assign(data, data + size_t(w) * h);
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

// A cell with the white top bevel over a coloured face is drawn.
static Grid Read() {
  std::vector<uint32_t> s = Grab(OriginX + 70, OriginY, 200, 400);
  Grid g(20, std::string(10, '.'));
  if (s.empty()) return g;
  for (int row = 0; row < 20; ++row)
    for (int col = 0; col < 10; ++col) {
      uint32_t top = s[size_t(row * 20) * 200 + col * 20 + 10];
      uint32_t face = s[size_t(row * 20 + 10) * 200 + col * 20 + 10];
      if (top == 0xFFFFFF && face != 0 && face != 0xFFFFFF) g[row][col] = '#';
    }
  return g;
}

struct Cell {
  int row, col;
};

static std::vector<Cell> Minus(const Grid& a, const Grid& b) {
  std::vector<Cell> out;
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 10; ++c)
      if (a[r][c] == '#' && b[r][c] != '#') out.push_back({r, c});
  return out;
}

static void Keys(const std::string& keys) {
  if (!keys.empty()) std::system(("xdotool key --delay 40 " + keys).c_str());
}

static void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The piece alone, once all four of its cells show.
static std::vector<Cell> Piece(const Grid& stack, int waitMs) {
  Grid g;
  for (int t = 0; t < waitMs; t += 20) {
    g = Read();
    std::vector<Cell> p = Minus(g, stack);
    if (p.size() == 4) return p;
    Pause(20);
  }
  if (std::getenv("BOARD_WATCH_TRACE"))
    for (int r = 0; r < 20; ++r) std::fprintf(stderr, "%s  %s\n", g[r].c_str(), stack[r].c_str());
  return {};
}

struct Placement {
  int score = -1000000, rotation = 0, shift = 0, lines = 0;
  Grid after;
  std::vector<Cell> landed;
};

static void Consider(const Grid& stack, const std::vector<Cell>& piece, int rotation,
                     Placement* best) {
  for (int shift = -9; shift <= 9; ++shift) {
    bool inside = true;
    for (Cell c : piece) inside = inside && c.col + shift >= 0 && c.col + shift < 10;
    if (!inside) continue;
    auto fits = [&](int drop) {
      for (Cell c : piece) {
        int r = c.row + drop;
        if (r >= 20 || (r >= 0 && stack[r][c.col + shift] == '#')) return false;
      }
      return true;
    };
    if (!fits(0)) continue;
    int drop = 0;
    while (fits(drop + 1)) ++drop;
    Grid g = stack;
    for (Cell c : piece) g[c.row + drop][c.col + shift] = '#';
    int lines = 0, holes = 0, height = 0, bumps = 0, last = -1;
    Grid kept;
    for (const std::string& row : g)
      if (row == "##########") ++lines;
      else kept.push_back(row);
    while (kept.size() < 20) kept.insert(kept.begin(), std::string(10, '.'));
    for (int c = 0; c < 10; ++c) {
      int column = 0;
      for (int r = 0; r < 20; ++r) {
        if (kept[r][c] == '#' && !column) column = 20 - r;
        else if (kept[r][c] == '.' && column) ++holes;
      }
      height += column;
      if (last >= 0) bumps += std::abs(column - last);
      last = column;
    }
    int score = 76 * lines - 36 * holes - 51 * height / 10 - 18 * bumps;
    std::vector<Cell> landed;
    for (Cell c : piece) landed.push_back({c.row + drop, c.col + shift});
    if (score > best->score) *best = {score, rotation, shift, lines, kept, landed};
  }
}

// The shapes a row takes while it clears from the middle outward, 1 to 4 cells a side left.
static int ClearFrame(const std::string& row) {
  for (int n = 1; n <= 4; ++n)
    if (row == std::string(n, '#') + std::string(10 - 2 * n, '.') + std::string(n, '#')) return n;
  return 0;
}

static int Audio(const char* path, long from, long to) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return 1;
  std::fseek(f, from & ~3L, SEEK_SET);
  std::vector<int16_t> tenth(4410 * 2);
  std::string out;
  for (long at = from; at + long(tenth.size() * 2) <= to; at += long(tenth.size() * 2)) {
    if (std::fread(tenth.data(), 2, tenth.size(), f) != tenth.size()) break;
    int peak = 0;
    for (int16_t v : tenth) peak = std::max(peak, std::abs(int(v)));
    out += peak > 300 ? '#' : '.';
  }
  std::fclose(f);
  std::printf("%s\n", out.c_str());
  return 0;
}

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "audio" && argc > 4) return Audio(argv[2], std::atol(argv[3]), std::atol(argv[4]));
  int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  X = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(X)) return 2;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(X)).data;
  Root = screen->root;
  if (!FindOrigin(screen->width_in_pixels, screen->height_in_pixels)) {
    std::printf("FAILED: no game window on the screen\n");
    return 1;
  }
  if (mode == "board") {
    std::printf("%d %d\n", OriginX, OriginY);
    for (const std::string& row : Read()) std::printf("%s\n", row.c_str());
    return 0;
  }
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  // Whatever lies below the top four rows is the stack; the piece is asked to start up there.
  Grid stack = Read();
  for (int r = 0; r < 4; ++r) stack[r] = std::string(10, '.');
  int pieces = 0, clears = 0, framesSeen = 0;
  while (std::chrono::steady_clock::now() < end) {
    std::vector<Cell> piece = Piece(stack, 6000);  // a new piece shows whole after 3 steps
    if (piece.empty()) break;  // the match is over, or the reading lost the stack
    auto top = [&piece] {
      int row = 20;
      for (Cell c : piece) row = std::min(row, c.row);
      return row;
    };
    for (int tries = 0; tries < 150 && !piece.empty() && top() < 2; ++tries) {  // room to turn
      Pause(20);
      piece = Piece(stack, 500);
    }
    if (piece.empty()) break;
    Placement best;
    int turns = 0;
    for (; turns < 4; ++turns) {
      if (turns) {
        Keys("Up");
        Pause(40);
        piece = Piece(stack, 300);
        if (piece.empty()) break;
      }
      Consider(stack, piece, turns, &best);
    }
    if (best.score == -1000000) break;
    if (std::getenv("BOARD_WATCH_TRACE")) {
      std::fprintf(stderr, "piece at");
      for (Cell c : piece) std::fprintf(stderr, " %d,%d", c.row, c.col);
      std::fprintf(stderr, " -> rotation %d shift %d lines %d\n", best.rotation, best.shift,
                   best.lines);
    }
    std::string keys;
    for (int i = turns; i < 4; ++i) keys += " Up";  // the fourth turn: the first orientation
    for (int i = 0; i < best.rotation; ++i) keys += " Up";
    for (int i = 0; i < std::abs(best.shift); ++i) keys += best.shift < 0 ? " Left" : " Right";
    Keys(keys);
    // Down is let go once the piece lies where it lands. The X server's own repeat must be off
    // (xset r off): under a window manager its release and press pairs reach the game as a new
    // press, which drops the next piece as well.
    std::set<int> shapes;
    bool landed = false;
    auto start = std::chrono::steady_clock::now();
    while (!landed && std::chrono::steady_clock::now() < start + std::chrono::seconds(3)) {
      std::system("xdotool keydown Down");
      for (auto spell = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
           !landed && std::chrono::steady_clock::now() < spell;) {
        Grid g = Read();
        for (const std::string& row : g)
          if (int n = ClearFrame(row); n && best.lines) shapes.insert(n);
        landed = !shapes.empty();
        if (!landed) {
          landed = true;
          for (Cell c : best.landed) landed = landed && g[c.row][c.col] == '#';
        }
      }
      if (landed) Pause(60);  // the lock comes with the next step
      std::system("xdotool keyup Down");
    }
    for (auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
         std::chrono::steady_clock::now() < until;)
      for (const std::string& row : Read())
        if (int n = ClearFrame(row); n && best.lines) shapes.insert(n);
    ++pieces;
    if (best.lines) {
      ++clears;
      framesSeen += int(shapes.size());
      std::printf("clear of %d row(s): %zu of the 4 middle-out frames seen on the screen\n",
                  best.lines, shapes.size());
      std::fflush(stdout);
    }
    stack = best.after;
  }
  std::printf("pieces placed: %d, clears: %d, clear frames seen: %d\n", pieces, clears,
              framesSeen);
  return 0;
}
