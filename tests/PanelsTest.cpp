// StatsPanel and PlayersPanel: where each text and square lands in the window, and in what colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "display/BackgroundImage.h"
#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "net/GameState.h"
#include "shell/platform/Surface.h"

// Window pixels (0x00RRGGBB) of the panel colours, which are given as 0x00BBGGRR.
static const uint32_t NavyPixel = 0x000080;
static const uint32_t PaleBluePixel = 0xC0C0FF;
static const uint32_t GreenPixel = 0x00FF00;
static const uint32_t GreyPixel = 0x808080;
static const uint32_t DarkRedPixel = 0x800000;
static const uint32_t WhitePixel = 0xFFFFFF;
static const uint32_t PaleRedPixel = 0xFFC0C0;

static uint32_t Px(int x, int y) { return SurfacePixels(WindowSurface())[y * WindowWidth + x]; }

// Headless glyphs are 4 x 8 blocks at (x + 6i + 1, y + 4): counts the glyphs
// in `pixel` from the text's top-left corner (x, y) to the first gap.
static int GlyphRun(int x, int y, uint32_t pixel) {
  int n = 0;
  while (x + 6 * n + 2 < WindowWidth && Px(x + 6 * n + 2, y + 8) == pixel) ++n;
  return n;
}

// Every image pixel tells where it came from, so a copy's source is visible.
static uint32_t ImagePx(int x, int y) { return 0xC00000 | x << 9 | y; }

class PanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PatternMode = 0;
    MyIndex = UnassignedIndex;
    HighestIndex = 0;
    std::strcpy(AliveFlags, "N");
    MatchOver = 1;
    CreatePanelSurfaces();
  }
  void TearDown() override {
    FreePanelSurfaces();
    if (ImageSurface) DeleteSurface(ImageSurface);
    ImageSurface = nullptr;
    ImageLoaded = false;
    PatternMode = 0;
  }
  void LoadTestImage() {
    ImageSurface = CreateSurface(ImageWidth, ImageHeight);
    for (int y = 0; y < ImageHeight; ++y)
      for (int x = 0; x < ImageWidth; ++x)
        SurfacePixels(ImageSurface)[y * ImageWidth + x] = ImagePx(x, y);
    ImageLoaded = true;
    PatternMode = 1;
  }
};

TEST_F(PanelsTest, StatsTextsStandAtTheirPointsInPaleBlueOnNavy) {
  MyIndex = 2;  // the local row is 2, not row 0
  PlayerTable[0].score = 7;
  PlayerTable[2].score = -1234;
  PlayerTable[2].lines = 305;
  Level = 12;
  FulrowCount = 0;
  DrawStatsPanel();
  const struct {
    int y, glyphs;
  } texts[] = {{10, 5},  {40, 5},  {90, 6},  {120, 2}, {170, 6},
               {200, 3}, {250, 6}, {280, 1}, {328, 7}};
  for (const auto& t : texts) EXPECT_EQ(GlyphRun(5, t.y, PaleBluePixel), t.glyphs) << "y " << t.y;
  // "Score" has its top-left corner at (5, 10): its first glyph starts at (6, 14).
  EXPECT_EQ(Px(6, 14), PaleBluePixel);
  EXPECT_EQ(Px(5, 14), NavyPixel);
  EXPECT_EQ(Px(6, 13), NavyPixel);
  // Corners far from any text are background.
  EXPECT_EQ(Px(0, 0), NavyPixel);
  EXPECT_EQ(Px(69, 399), NavyPixel);
}

TEST_F(PanelsTest, NextPreviewShowsOnlyWhileAMatchRuns) {
  const PieceCell t[4] = {{2, 35}, {1, 35}, {3, 35}, {2, 36}};
  std::memcpy(NextPreview, t, sizeof t);
  MatchOver = 0;
  DrawStatsPanel();
  EXPECT_EQ(Px(10, 350), GreyPixel) << "outline corner of the square at (1, 35)";
  EXPECT_EQ(Px(15, 355), GreenPixel) << "inside of that square";
  EXPECT_EQ(Px(39, 355), GreyPixel) << "right outline of the square at (3, 35) is x 39";
  EXPECT_EQ(Px(40, 355), NavyPixel) << "x 40, the rectangle's right edge, is excluded";
  EXPECT_EQ(Px(25, 369), GreyPixel) << "bottom outline of the square at (2, 36) is y 369";
  EXPECT_EQ(Px(25, 370), NavyPixel) << "y 370, the bottom edge, is excluded";
  EXPECT_EQ(Px(15, 365), NavyPixel) << "no preview cell at (1, 36)";
  MatchOver = 1;
  DrawStatsPanel();
  EXPECT_EQ(Px(15, 355), NavyPixel) << "the repaint leaves the preview out";
  EXPECT_EQ(Px(10, 350), NavyPixel);
}

TEST_F(PanelsTest, PlayersPanelListsNamesAndPaddedHeights) {
  HighestIndex = 2;
  std::strcpy(AliveFlags, "ONO");
  const struct {
    const char* name;
    int32_t height;
    int heightGlyphs;
    uint32_t pixel;
  } players[] = {{"Alice", 5, 2, WhitePixel}, {"Bob", 12, 2, PaleRedPixel},
                 {"Zoe", 123, 3, WhitePixel}};
  for (int i = 0; i < 3; ++i) {
    std::strcpy(PlayerTable[i].name, players[i].name);
    PlayerTable[i].height = players[i].height;
  }
  std::strcpy(PlayerTable[3].name, "Stale");  // above HighestIndex: not shown
  DrawPlayersPanel();
  // The header's top-left corner is (5, 2) in the panel, (275, 2) in the window.
  EXPECT_EQ(Px(276, 6), WhitePixel);
  EXPECT_EQ(Px(275, 6), DarkRedPixel);
  EXPECT_EQ(GlyphRun(275, 2, WhitePixel), 9) << "the header starts with nine hyphens";
  for (int i = 0; i < 3; ++i) {
    int y = 18 + 16 * i;
    EXPECT_EQ(GlyphRun(275, y, players[i].pixel), int(std::strlen(players[i].name))) << i;
    EXPECT_EQ(GlyphRun(420, y, players[i].pixel), players[i].heightGlyphs) << i;
  }
  EXPECT_EQ(Px(278, 18 + 16 * 3 + 8), DarkRedPixel) << "row 3 is above HighestIndex";
  EXPECT_EQ(Px(270, 0), DarkRedPixel);
  EXPECT_EQ(Px(449, 147), DarkRedPixel);
}

TEST_F(PanelsTest, PatternModePanelsShowTheirPartsOfTheImage) {
  LoadTestImage();
  DrawStatsPanel();
  DrawPlayersPanel();
  EXPECT_EQ(Px(60, 395), ImagePx(60, 395)) << "StatsPanel shows image columns 0..69";
  EXPECT_EQ(Px(0, 0), ImagePx(0, 0));
  EXPECT_EQ(Px(6, 14), PaleBluePixel) << "text is drawn over the image";
  EXPECT_EQ(Px(272, 140), ImagePx(72, 140)) << "PlayersPanel shows image columns 70..249";
  EXPECT_EQ(Px(449, 147), ImagePx(249, 147));
  // A PatternMode without an image falls back to the plain background.
  ImageLoaded = false;
  DrawStatsPanel();
  EXPECT_EQ(Px(60, 395), NavyPixel);
}

TEST_F(PanelsTest, WithoutSurfacesThePanelOperationsDrawNothing) {
  FreePanelSurfaces();
  uint32_t* window = SurfacePixels(WindowSurface());
  std::fill(window, window + WindowWidth * WindowHeight, 0x123456);
  DrawStatsPanel();
  DrawPlayersPanel();
  PresentMessageLog();
  LogHeld = false;
  AppendMessage("x", 0xFF0000);
  LogHeld = true;
  EXPECT_EQ(std::count(window, window + WindowWidth * WindowHeight, 0x123456),
            WindowWidth * WindowHeight);
  ASSERT_NE(MessageLine(0), nullptr);
  EXPECT_STREQ(MessageLine(0), "x") << "the record of appended texts is kept all the same";
}
