// MessageLog: scrolling, wrapping, clearing, holding, PatternMode, and the surface services below.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "display/BackgroundImage.h"
#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "shell/platform/Surface.h"

static const uint32_t WhitePixel = 0xFFFFFF;
static const uint32_t Marker = 0x123456;  // a pixel no drawing produces

static uint32_t* Window() { return SurfacePixels(WindowSurface()); }

// Log pixel (x, y): the log is shown at (270, 148) in the window.
static uint32_t LogPx(int x, int y) { return Window()[(148 + y) * WindowWidth + 270 + x]; }

// Text line `line` of the shown log, one character per glyph place (text
// starts at x 2, glyph i covers x 2 + 6i + 1 .. + 4): '#' where a glyph
// block stands, '.' where not; trailing '.' cut.
static std::string LogRow(int line) {
  std::string row;
  for (int x = 4; x < 180; x += 6) row += LogPx(x, 16 * line + 8) != WhitePixel ? '#' : '.';
  return row.substr(0, row.find_last_not_of('.') + 1);
}

static void FillWindow(int x0, int y0, int x1, int y1, uint32_t pixel) {
  for (int y = y0; y < y1; ++y)
    std::fill(Window() + y * WindowWidth + x0, Window() + y * WindowWidth + x1, pixel);
}

static bool ShownLogAll(uint32_t pixel) {
  for (int y = 0; y < 252; ++y)
    for (int x = 0; x < 180; ++x)
      if (LogPx(x, y) != pixel) return false;
  return true;
}

class MessageLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PatternMode = 0;
    CreatePanelSurfaces();
    LogHeld = false;
    AppendMessage(ClearLogCommand, 0);
  }
  void TearDown() override {
    FreePanelSurfaces();
    LogHeld = true;
    if (ImageSurface) DeleteSurface(ImageSurface);
    ImageSurface = nullptr;
    ImageLoaded = false;
    PatternMode = 0;
  }
};

TEST_F(MessageLogTest, NewestLineOnTopPushesOlderOnesDown) {
  AppendMessage("aaa", 0xFF0000);
  AppendMessage("bb", 0x0000FF);
  EXPECT_EQ(LogRow(0), "##");
  EXPECT_EQ(LogRow(1), "###");
  EXPECT_EQ(LogRow(2), "");
  // Text starts at x 2 of the log: the first glyph's top-left pixel is (3, 4).
  EXPECT_EQ(LogPx(3, 4), 0xFF0000u) << "0x0000FF is red";
  EXPECT_EQ(LogPx(2, 4), WhitePixel);
  EXPECT_EQ(LogPx(3, 3), WhitePixel);
  EXPECT_EQ(LogPx(3, 20), 0x0000FFu) << "0xFF0000 is blue, one line lower";
  EXPECT_STREQ(MessageLine(0), "bb");
  EXPECT_EQ(MessageColour(1), 0xFF0000u);
}

TEST_F(MessageLogTest, LongMessageWrapsAndPushesByItsFullHeight) {
  AppendMessage("x", 0);
  AppendMessage("abcde abcde abcde abcde abcde abcde", 0x008000);
  // Four words are 138 pixels; a fifth would make 174, over the 172 allowed.
  EXPECT_EQ(LogRow(0), "#####.#####.#####.#####");
  EXPECT_EQ(LogRow(1), "#####.#####");
  EXPECT_EQ(LogRow(2), "#");
}

TEST_F(MessageLogTest, EmptyTextIsOneEmptyLine) {
  AppendMessage("x", 0);
  AppendMessage("", 0);
  EXPECT_EQ(LogRow(0), "");
  EXPECT_EQ(LogRow(1), "#");
}

TEST_F(MessageLogTest, MessageTallerThanTheLogShowsItsFirstRows) {
  AppendMessage("x", 0x0000FF);
  FillWindow(270, 0, 450, 148, Marker);
  std::string word(28, 'w'), text = word;  // 168 pixels: one word per line
  for (int i = 1; i < 17; ++i) text += " " + word;
  AppendMessage(text.c_str(), 0);
  EXPECT_EQ(LogRow(0), std::string(28, '#'));
  EXPECT_EQ(LogRow(15), std::string(28, '#'));
  EXPECT_EQ(LogPx(3, 251), 0u) << "row 251, the last shown, is the foot of line 15's glyphs";
  for (int y = 0; y < 252; ++y) EXPECT_NE(LogPx(3, y), 0xFF0000u) << "older line gone, row " << y;
  EXPECT_EQ(Window()[147 * WindowWidth + 300], Marker) << "the PlayersPanel above is untouched";
}

TEST_F(MessageLogTest, ClearCommandEmptiesTheLogWhateverFollows) {
  AppendMessage("aaa", 0);
  AppendMessage("bbb", 0);
  AppendMessage("\x01junk", 0x123456);
  EXPECT_TRUE(ShownLogAll(WhitePixel));
  EXPECT_EQ(MessageLine(0), nullptr);
  AppendMessage("c", 0);
  EXPECT_EQ(LogRow(0), "#");
  EXPECT_EQ(LogRow(1), "");
}

TEST_F(MessageLogTest, HeldLogReachesTheWindowOnlyAtTheNextCopy) {
  LogHeld = true;
  AppendMessage("abc", 0);
  EXPECT_EQ(LogRow(0), "");
  PresentMessageLog();
  EXPECT_EQ(LogRow(0), "###");
  AppendMessage("de", 0);
  EXPECT_EQ(LogRow(0), "###");
  LogHeld = false;
  AppendMessage("", 0);
  EXPECT_EQ(LogRow(0), "");
  EXPECT_EQ(LogRow(1), "##");
  EXPECT_EQ(LogRow(2), "###");
}

TEST_F(MessageLogTest, StartupTextAppearsWhenItIsComplete) {
  LogHeld = true;
  FillWindow(270, 148, 450, 400, Marker);
  WriteStartupText();
  EXPECT_FALSE(LogHeld);
  EXPECT_EQ(LogRow(0), "") << "the last, empty text";
  EXPECT_EQ(LogRow(1).substr(0, 2), ".#") << "\" Ploxen 1.0 ...\" with its leading blank";
  EXPECT_EQ(LogPx(9, 16 * 1 + 4), 0u) << "black";
  EXPECT_EQ(LogPx(3, 16 * 3 + 4), 0x800080u) << "heading \"Touches par d\xE9" "faut :\" in purple";
  // 33 hyphens are one word wider than 172 pixels: one line, widened, not broken.
  EXPECT_EQ(LogRow(4), std::string(30, '#'));
  EXPECT_EQ(LogPx(178, 16 * 4 + 4), 0xFF0000u) << "the widened line runs to the log's edge";
  EXPECT_EQ(LogPx(15, 16 * 12 + 4), 0x008000u) << "the first text is the 13th line";
  EXPECT_EQ(LogRow(13), "");
  EXPECT_EQ(LogPx(100, 240), WhitePixel) << "below the 208 rows of text";
}

TEST_F(MessageLogTest, PatternModeAndsTheLogOntoTheImage) {
  ImageSurface = CreateSurface(ImageWidth, ImageHeight);
  for (int y = 0; y < ImageHeight; ++y)
    for (int x = 0; x < ImageWidth; ++x)
      SurfacePixels(ImageSurface)[y * ImageWidth + x] = 0xC00000 | x << 9 | y;
  auto image = [](int x, int y) { return SurfacePixels(ImageSurface)[y * ImageWidth + x]; };
  ImageLoaded = true;
  PatternMode = 1;
  AppendMessage("ab", 0xFFFFFF);
  AppendMessage("cd", 0x000000);
  AppendMessage("e", 0xFF0000);
  // The log at (270, 148) lies over image columns 70..249, rows 148..399.
  EXPECT_EQ(LogPx(3, 4), image(73, 152) & 0x0000FF) << "blue text keeps the image's blue bits";
  EXPECT_EQ(LogPx(3, 20), 0u) << "black text shows black";
  EXPECT_EQ(LogPx(3, 36), image(73, 184)) << "white text is invisible";
  EXPECT_EQ(LogPx(100, 200), image(170, 348)) << "the white background leaves the image";
}

TEST(SurfaceUnderTheLog, BlockCopiesWithinOneSurfaceMayOverlap) {
  Surface* s = CreateSurface(3, 8);
  auto fill = [s] {
    for (int i = 0; i < 24; ++i) SurfacePixels(s)[i] = i + 1;  // row r holds 3r+1 .. 3r+3
  };
  auto at = [s](int x, int y) { return SurfacePixels(s)[y * 3 + x]; };
  fill();
  SurfaceBlit(s, 0, 3, 3, 8, s, 0, 0, CopyPixels);  // down, clipped at the bottom
  for (int y = 3; y < 8; ++y) EXPECT_EQ(at(1, y), uint32_t(3 * (y - 3) + 2)) << "row " << y;
  EXPECT_EQ(at(1, 2), 8u) << "rows above the target keep their pixels";
  fill();
  SurfaceBlit(s, 0, 0, 3, 5, s, 0, 2, CopyPixels);  // up
  for (int y = 0; y < 5; ++y) EXPECT_EQ(at(1, y), uint32_t(3 * (y + 2) + 2)) << "row " << y;
  fill();
  SurfaceBlit(s, 1, 0, 2, 1, s, 0, 0, CopyPixels);  // right within a row
  EXPECT_EQ(at(1, 0), 1u);
  EXPECT_EQ(at(2, 0), 2u);
  SurfacePixels(s)[0] = 0xF0F0F0;
  SurfacePixels(s)[1] = 0x0FFF00;
  SurfaceBlit(s, 0, 0, 1, 1, s, 1, 0, AndPixels);
  EXPECT_EQ(at(0, 0), 0x00F000u);
  DeleteSurface(s);
}

TEST(SurfaceUnderTheLog, WordWrapMeasuresAndDrawsInTheSameLines) {
  Surface* s = CreateSurface(180, 64);
  SurfaceSelectFont(s, LogFont);
  const std::string wide(30, 'w');  // 180 pixels
  const struct {
    std::string text;
    int width, right, lines;
  } cases[] = {
      {"abc", 172, 18, 1},         {"", 172, 0, 1},
      {"aaaa bbbb", 30, 24, 2},    {"a&b", 172, 18, 1},
      {wide, 172, 180, 1},         {"aa " + wide + " bb", 172, 180, 3},
  };
  for (const auto& c : cases) {
    TextRect r = SurfaceMeasureText(s, {2, 10, 2 + c.width, 26}, c.text.c_str());
    EXPECT_EQ(r.left, 2) << c.text;
    EXPECT_EQ(r.top, 10) << c.text;
    EXPECT_EQ(r.right, 2 + c.right) << c.text;
    EXPECT_EQ(r.bottom, 10 + 16 * c.lines) << c.text;
  }
  SurfaceTextColour(s, 0xFFFFFF);
  SurfaceDrawText(s, {0, 0, 30, 64}, "aaaa bbbb a&b");
  auto glyph = [s](int i, int line) {
    return SurfacePixels(s)[(16 * line + 8) * 180 + 6 * i + 2] != 0;
  };
  EXPECT_TRUE(glyph(0, 1) && glyph(3, 1)) << "the second word starts its own line at the left";
  EXPECT_FALSE(glyph(4, 0));
  EXPECT_TRUE(glyph(0, 2) && glyph(1, 2) && glyph(2, 2)) << "\"&\" is drawn like any character";
  DeleteSurface(s);
}
