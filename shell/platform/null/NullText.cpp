// Headless fonts: every character is 6 pixels wide and every line 16 high, and
// a drawn character is a 4 x 8 block, so tests can see exactly where text went.
#include <algorithm>

#include "shell/platform/Text.h"

static const int GlyphWidth = 6;
static const int LineHeight = 16;

int FontTextWidth(FontId, const char*, int len) { return GlyphWidth * len; }

int FontLineHeight(FontId) { return LineHeight; }

static uint32_t PixelOf(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

void FontDrawText(uint32_t* pixels, int w, int h, FontId, uint32_t colour, int x, int y,
                  const char* text, int len, TextRect clip) {
  int left = std::max(clip.left, 0), top = std::max(clip.top, 0);
  int right = std::min(clip.right, w), bottom = std::min(clip.bottom, h);
  for (int i = 0; i < len; ++i) {
    if (text[i] == ' ') continue;
    int gx = x + GlyphWidth * i + 1, gy = y + 4;
    for (int py = std::max(gy, top); py < std::min(gy + 8, bottom); ++py)
      for (int px = std::max(gx, left); px < std::min(gx + 4, right); ++px)
        pixels[py * w + px] = PixelOf(colour);
  }
}
