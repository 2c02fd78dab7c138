// The Ploxen.gif the build paints: the panel texts stay readable on it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "display/BackgroundImage.h"
#include "display/GifDecoder.h"

// The usual relative luminance of a 0x00RRGGBB colour, 0..1.
static double Luminance(uint32_t p) {
  double sum = 0;
  for (double weight : {0.0722, 0.7152, 0.2126}) {
    double c = (p & 0xFF) / 255.0;
    sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    p >>= 8;
  }
  return sum;
}

// Every pixel of each panel's text area against the pale blue, white and pale red texts that
// the StatsPanel and the PlayersPanel draw on it: a contrast of at least 4.5 to 1. The log's
// text is ANDed onto the picture: where every channel keeps its top bit, the log's colours
// (0 or 128 and up per channel) come out unchanged in hue and the paper stays light.
TEST(ShippedPicture, PanelTextsStandOutFromTheirBackgroundsAndTheLogPaperKeepsTheirColours) {
  std::vector<uint32_t> pixels(size_t(ImageWidth) * ImageHeight);
  ASSERT_TRUE(LoadGifImage(PLOXEN_PICTURE, pixels.data(), ImageWidth, ImageHeight));
  const struct { uint32_t text; int x0, y0, x1, y1; } regions[] = {
      {0xC0C0FF, 5, 10, 64, 343}, {0xFFFFFF, 71, 1, 248, 146}, {0xFFC0C0, 71, 19, 248, 146}};
  for (const auto& r : regions)
    for (int y = r.y0; y <= r.y1; ++y)
      for (int x = r.x0; x <= r.x1; ++x)
        ASSERT_GE((Luminance(r.text) + 0.05) / (Luminance(pixels[y * ImageWidth + x]) + 0.05), 4.5)
            << "x " << x << ", y " << y;
  for (int y = 148; y < ImageHeight; ++y)
    for (int x = 70; x < 250; ++x)
      ASSERT_EQ(pixels[y * ImageWidth + x] & 0x808080, 0x808080u) << "x " << x << ", y " << y;
}
