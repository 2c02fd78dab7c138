// The side panels and the MessageLog: what lands where in the window and in what colour.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "display/BackgroundImage.h"
#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "shell/platform/Surface.h"

// Window pixels (0x00RRGGBB) of the panel colours, which the program gives as 0x00BBGGRR.
static const uint32_t Navy = 0x000080, Green = 0x00FF00, Grey = 0x808080;
static const uint32_t DarkRed = 0x800000, White = 0xFFFFFF;

// Pixel (x, y) of the window's client area.
static uint32_t Px(int x, int y) { return SurfacePixels(WindowSurface())[y * WindowWidth + x]; }

// The glyph places of `lines` lines of text 16 pixels apart, the first with its top-left corner
// at (x, y), headless glyphs being 4 x 8 blocks 6 pixels apart: one letter per place for its
// colour (g green, r red, w white, q pale red), '.' for the background, '?' for anything else;
// trailing '.' cut, each line ended by '|'.
static std::string Glyphs(int x, int y, int places, uint32_t background, int lines = 1) {
  std::string all;
  for (int line = 0; line < lines; ++line) {
    std::string s;
    for (int i = 0; i < places; ++i) {
      uint32_t p = Px(x + 6 * i + 2, y + 16 * line + 8);
      s += p == background ? '.' : p == 0x008000 ? 'g' : p == 0xFF0000 ? 'r' : p == White ? 'w'
         : p == 0xFFC0C0 ? 'q' : '?';
    }
    all += s.substr(0, s.find_last_not_of('.') + 1) + '|';
  }
  return all;
}

// The first lines of the log shown at (270, 148), its text at x 2.
static std::string Log(int lines) { return Glyphs(272, 148, 30, White, lines); }

class PanelsTest : public ::testing::Test {
 protected:
  void SetUp() override { AppendMessage(ClearLogCommand, 0); }  // the panels are new already
  void TearDown() override {
    FreePanelSurfaces();
    if (ImageSurface) DeleteSurface(ImageSurface);
    ImageSurface = nullptr, ImageLoaded = false;
  }
  // A picture of scattered colours, loaded as at start-up.
  static void LoadPicture() {
    ImageSurface = CreateSurface(ImageWidth, ImageHeight);
    uint32_t* image = SurfacePixels(ImageSurface);
    for (int i = 0; i < ImageWidth * ImageHeight; ++i) image[i] = uint32_t(i * 2654435761u) >> 8;
    ImageLoaded = true;
  }
};

TEST_F(PanelsTest, LongMessageWrapsAndPushesOlderLinesDownAndAHeldClearShowsAtTheNextCopy) {
  AppendMessage("x", 0x0000FF);
  AppendMessage("abcde abcde abcde abcde abcde abcde", 0x008000);  // five words: 174 pixels
  const std::string shown = Log(5);
  EXPECT_EQ(shown, "ggggg.ggggg.ggggg.ggggg|ggggg.ggggg|r|||");
  LogHeld = true;
  AppendMessage("\x01junk", 0x123456);
  EXPECT_EQ(Log(5), shown);
  PresentMessageLog();
  EXPECT_EQ(Log(5), "|||||");
}

TEST_F(PanelsTest, StatsPanelPreviewsOnlyWhileAMatchRuns) {
  const PieceCell t[4] = {{2, 35}, {1, 35}, {3, 35}, {2, 36}};
  std::memcpy(NextPreview, t, sizeof t);
  MatchOver = 0;
  DrawStatsPanel();
  // Squares (10X, 10Y)..(10X + 9, 10Y + 9): outline corner, inside, right and bottom outlines
  // and the edges past them, and (1, 36) where no cell is.
  auto preview = [] {
    return std::vector({Px(10, 350), Px(15, 355), Px(39, 355), Px(40, 355),
                        Px(25, 369), Px(25, 370), Px(15, 365)});
  };
  EXPECT_EQ(preview(), std::vector({Grey, Green, Grey, Navy, Grey, Navy, Navy}));
  MatchOver = 1;
  DrawStatsPanel();
  EXPECT_EQ(preview(), std::vector<uint32_t>(7, Navy));
}

// The PlayersPanel lists names in white, or pale red once out, and heights of two digits at
// most. It repaints only what changed: after every change the window must show what a paint
// from scratch shows.
TEST_F(PanelsTest, PlayersPanelListsTheRowsAndRedrawnPieceByPieceMatchesAWholePaint) {
  HighestIndex = 2;
  std::strcpy(AliveFlags, "ONO");
  const char* names[] = {"Alice", "Bob", "Zoe", "Stale"};  // Stale is past HighestIndex
  for (int i = 0; i < 4; ++i) {
    std::strcpy(PlayerTable[i].name, names[i]);
    PlayerTable[i].height = i == 2 ? 123 : 5 + 7 * i;
  }
  DrawPlayersPanel();
  EXPECT_EQ(Glyphs(275, 2, 29, DarkRed), "wwwwwwwww.wwwwwww.wwwwwwww.ww|");
  EXPECT_EQ(Glyphs(275, 18, 24, DarkRed, 4), "wwwww|qqq|www||") << "names";
  EXPECT_EQ(Glyphs(420, 18, 5, DarkRed, 4), "ww|qq|www||") << "heights";
  LoadPicture();
  auto panel = [] {
    std::vector<uint32_t> v;
    for (int y = 0; y < 148; ++y)
      for (int x = 270; x < 450; ++x) v.push_back(Px(x, y));
    return v;
  };
  const std::vector<std::function<void()>> changes = {
      [] { HighestIndex = 3, std::strcpy(AliveFlags, "OOOO"); },
      [] { PlayerTable[2].height = 7; },
      [] { std::strcpy(PlayerTable[1].name, "Bertrand le long nom de joueur"); },
      [] { AliveFlags[1] = 'N'; },
      [] { PlayerTable[1].height = 12; },
      [] { HighestIndex = 1, AliveFlags[2] = '\0'; },
      [] { PatternMode = 1; },
      [] { PlayerTable[0].height = 20; },
      [] { HighestIndex = 2, std::strcpy(AliveFlags, "NON"); },
      [] { PatternMode = 0; },
      [] {  // a window painted over gets the whole panel again
        std::memset(SurfacePixels(WindowSurface()), 0, 4 * WindowWidth * WindowHeight);
        PresentPlayersPanel();
      },
  };
  for (size_t step = 0; step < changes.size(); ++step) {
    changes[step]();
    DrawPlayersPanel();
    std::vector<uint32_t> shown = panel();
    CreatePanelSurfaces();  // forgets what the panel showed
    std::memset(SurfacePixels(WindowSurface()), 0, 4 * WindowWidth * WindowHeight);
    DrawPlayersPanel();
    EXPECT_TRUE(shown == panel()) << "after change " << step;
  }
}
