// The Ploxen.gif the build paints: the panel texts stay readable on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "display/BackgroundImage.h"
#include "display/GifDecoder.h"

class ShippedPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pixels_.assign(size_t(ImageWidth) * ImageHeight, 0);
    ASSERT_TRUE(LoadGifImage(PLOXEN_PICTURE, pixels_.data(), ImageWidth, ImageHeight))
        << PLOXEN_PICTURE;
  }
  uint32_t At(int x, int y) const { return pixels_[size_t(y) * ImageWidth + x]; }
  std::vector<uint32_t> pixels_;
};

static double Linear(uint32_t channel) {
  double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The usual relative-luminance contrast between two 0x00RRGGBB colours (1..21).
static double Contrast(uint32_t a, uint32_t b) {
  auto lum = [](uint32_t p) {
    return 0.2126 * Linear(p >> 16 & 0xFF) + 0.7152 * Linear(p >> 8 & 0xFF) +
           0.0722 * Linear(p & 0xFF);
  };
  double la = lum(a), lb = lum(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast between a text colour and the picture's pixels in a region.
static double WorstContrast(const std::vector<uint32_t>& pixels, uint32_t text, int x0, int y0,
                            int x1, int y1) {
  double worst = 21;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      worst = std::min(worst, Contrast(text, pixels[size_t(y) * ImageWidth + x]));
  return worst;
}

// StatsPanel text is pale blue from x 5, in the rows of its nine lines;
// PlayersPanel text is white or pale red anywhere inside the panel's frame.
TEST_F(ShippedPictureTest, PanelTextsStandOutFromTheirBackgrounds) {
  const uint32_t paleBlue = 0xC0C0FF, white = 0xFFFFFF, paleRed = 0xFFC0C0;
  for (int top : {10, 40, 90, 120, 170, 200, 250, 280, 328}) {
    SCOPED_TRACE(top);
    EXPECT_GE(WorstContrast(pixels_, paleBlue, 5, top, 64, top + 15), 4.5);
  }
  EXPECT_GE(WorstContrast(pixels_, white, 71, 1, 248, 146), 4.5);
  EXPECT_GE(WorstContrast(pixels_, paleRed, 71, 19, 248, 146), 4.5);
}

// The log's text is ANDed onto the picture: where every channel keeps its top
// bit, the log's colours (0 or 128 and up per channel) come out unchanged in
// hue and the paper stays light.
TEST_F(ShippedPictureTest, TheLogPaperKeepsTheTextColours) {
  for (int y = 148; y < ImageHeight; ++y)
    for (int x = 70; x < 250; ++x) {
      uint32_t p = At(x, y);
      ASSERT_EQ(p & 0x808080, 0x808080u) << "x " << x << " y " << y;
    }
}
