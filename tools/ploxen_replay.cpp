// ploxen-replay: runs one headless Solo match from a text file of commands and
// prints its final state; the way to reproduce a rules bug, and the golden replays' runner.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "display/Playfield.h"
#include "net/GameState.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"

struct MatchSetup {
  uint32_t seed = 0, clock = 0;
  int32_t height = 0, level = 0;
  bool started = false;
};

static void StartReplayMatch(MatchSetup& m) {
  ConnectLayers();
  NullSetClock(m.clock);
  StartHeight = m.height;
  Level = m.level;
  ResetGame(true, Solo);
  MatchSeed = m.seed;
  ResetGame(false);
  StartMatch();
  m.started = true;
}

static bool ParseNumber(std::istringstream& in, long long& out) {
  std::string word, rest;
  if (!(in >> word) || (in >> rest)) return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtoll(word.c_str(), &end, 10);
  return *end == '\0' && errno == 0;
}

static bool SetUpCommand(const std::string& cmd, long long v, MatchSetup& m) {
  if (cmd == "seed") m.seed = uint32_t(v);
  else if (cmd == "height") m.height = int32_t(v);
  else if (cmd == "level") m.level = int32_t(v);
  else if (cmd == "clock") m.clock = uint32_t(v);
  else if (cmd == "ghost") GhostMode = v != 0;
  else return false;
  return true;
}

// A key pressed in the main window, as a player presses it: the window's own keys (Pause,
// F2...) first, and while paused a game key only wakes the match.
static void KeyInWindow(int32_t code) { WindowProcedure({MsgKeyDown, code, 0}); }

static bool PlayCommand(const std::string& cmd, long long v) {
  if (cmd == "wait") {
    for (long long i = 0; i < v; ++i) {
      NullAdvanceClock(1);
      if (PollFlag) GameTick();  // as the main loop: a paused match does not tick
    }
  } else if (cmd == "down") {
    GameKeyDown(int32_t(v));
  } else if (cmd == "up") {
    GameKeyUp(int32_t(v));
  } else if (cmd == "key") {
    KeyInWindow(int32_t(v));
  } else if (cmd == "penalty") {
    PendingPenalty += int32_t(v);
  } else {
    return false;
  }
  return true;
}

// "show": the Playfield as the window shows it in plain mode, top visible row first, one
// character per cell: the type whose colour fills a block, '+' a ghost cell (a rim around
// black), '.' black, '?' anything else.
static bool ShowCommand(std::istringstream& in, MatchSetup& m, std::string& error) {
  std::string rest;
  if (in >> rest) {
    error = "show takes no number";
    return false;
  }
  if (!m.started) StartReplayMatch(m);
  const uint32_t* px = SurfacePixels(WindowSurface());
  std::printf("show\n");
  for (int j = 0; j < PlayfieldHeight / CellSize; ++j) {
    for (int i = 0; i < PlayfieldWidth / CellSize; ++i) {
      const uint32_t* cell = px + j * CellSize * WindowWidth + PlayfieldX + i * CellSize;
      uint32_t corner = cell[0], middle = cell[CellSize / 2 * (WindowWidth + 1)];
      char shown = corner == 0 && middle == 0 ? '.' : corner != 0 && middle == 0 ? '+' : '?';
      for (uint8_t t = 1; t <= 8 && corner == 0xFFFFFF; ++t)
        if (middle == ColourToPixel(TypeColour(t))) shown = char('0' + t);
      std::putchar(shown);
    }
    std::putchar('\n');
  }
  return true;
}

// Runs one line; false with a message on bad input.
static bool RunLine(const std::string& line, MatchSetup& m, std::string& error) {
  // A comment may follow a command on its line, as the README's example shows.
  std::istringstream in(line.substr(0, line.find('#')));
  std::string cmd;
  if (!(in >> cmd)) return true;
  if (cmd == "show") return ShowCommand(in, m, error);
  long long v = 0;
  if (!ParseNumber(in, v)) {
    error = "missing or bad number";
    return false;
  }
  if (!m.started && SetUpCommand(cmd, v, m)) return true;
  if (cmd != "wait" && cmd != "down" && cmd != "up" && cmd != "penalty" && cmd != "key") {
    error = "unknown command '" + cmd + "'";
    return false;
  }
  if (!m.started) StartReplayMatch(m);
  return PlayCommand(cmd, v);
}

static void PrintState() {
  const PlayerEntry& e = LocalEntry();
  std::printf("score %d\nlines %d\nlevel %d\nfulrow %d\nover %d\n", e.score, e.lines, Level,
              FulrowCount, MatchOver);
  std::printf("current %d\nnext %d\npending %d\npiece", CurrentType, NextType, PendingPenalty);
  for (const PieceCell& c : DrawnPiece) std::printf(" %d,%d", c.col, c.row);
  std::printf("\n");
  for (int r = 0; r < BoardRows; ++r) {
    for (int c = 0; c < BoardCols; ++c) std::putchar(Board[r][c] ? '0' + Board[r][c] : '.');
    std::putchar('\n');
  }
}

static bool WriteWindow(const char* path) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", WindowWidth, WindowHeight);
  const uint32_t* px = SurfacePixels(WindowSurface());
  for (int i = 0; i < WindowWidth * WindowHeight; ++i) {
    unsigned char rgb[3] = {uint8_t(px[i] >> 16), uint8_t(px[i] >> 8), uint8_t(px[i])};
    std::fwrite(rgb, 1, 3, f);
  }
  return std::fclose(f) == 0;
}

// The options after FILE; false on anything else.
static bool ParseOptions(int argc, char** argv, const char** windowOut) {
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ghost") == 0) GhostMode = 1;
    else if (std::strcmp(argv[i], "--window") == 0 && i + 1 < argc) *windowOut = argv[++i];
    else return false;
  }
  return argc >= 2;
}

int main(int argc, char** argv) {
  const char* windowOut = nullptr;
  if (!ParseOptions(argc, argv, &windowOut)) {
    std::fprintf(stderr, "usage: ploxen-replay FILE [--ghost] [--window OUT.ppm]\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", argv[1]);
    return 2;
  }
  MatchSetup m;
  std::string line, error;
  for (int n = 1; std::getline(in, line); ++n) {
    if (!RunLine(line, m, error)) {
      std::fprintf(stderr, "%s:%d: %s: %s\n", argv[1], n, error.c_str(), line.c_str());
      return 2;
    }
  }
  if (!m.started) StartReplayMatch(m);
  PrintState();
  if (windowOut && !WriteWindow(windowOut)) {
    std::fprintf(stderr, "%s: cannot write\n", windowOut);
    return 2;
  }
  return 0;
}
