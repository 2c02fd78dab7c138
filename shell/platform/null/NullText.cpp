// Headless fonts: every character is 6 pixels wide and every line 16 high, and
// a drawn character is a 4 x 8 block, so tests can see exactly where text went.
#include <algorithm>
#include <deque>
#include <string>

#include "resources/Colours.h"
#include "shell/platform/Text.h"
#include "shell/platform/null/NullControl.h"

static const int GlyphWidth = 6;
static const int LineHeight = 16;

int FontTextWidth(FontId, const char*, int len) { return GlyphWidth * len; }

int FontLineHeight(FontId) { return LineHeight; }

// Only the MessageLog writes in its font. It draws a message's first line at the top of
// the rectangle it gives and the wrapped lines below, each a piece of the same text, so
// a following line takes back the blanks the wrap dropped before it.
struct ShownMessage {
  std::string text;
  uint32_t colour;
};
static std::deque<ShownMessage> g_shown;
static const char* g_lineEnd = nullptr;  // inside the text being drawn

static void RecordLogLine(uint32_t colour, int y, const char* text, int len, TextRect clip) {
  if (y == clip.top || g_shown.empty() || !g_lineEnd) {
    g_shown.push_front({std::string(text, size_t(len)), colour});
    if (g_shown.size() > 64) g_shown.pop_back();
  } else {
    g_shown.front().text.append(g_lineEnd, text + len);
  }
  g_lineEnd = text + len;
}

const char* MessageLine(int index) {
  return index >= 0 && size_t(index) < g_shown.size() ? g_shown[index].text.c_str() : nullptr;
}

uint32_t MessageColour(int index) {
  return index >= 0 && size_t(index) < g_shown.size() ? g_shown[index].colour : 0;
}

void NullForgetMessages() {
  g_shown.clear();
  g_lineEnd = nullptr;
}

void FontDrawText(uint32_t* pixels, int w, int h, FontId font, uint32_t colour, int x, int y,
                  const char* text, int len, TextRect clip) {
  if (font == LogFont) RecordLogLine(colour, y, text, len, clip);
  int left = std::max(clip.left, 0), top = std::max(clip.top, 0);
  int right = std::min(clip.right, w), bottom = std::min(clip.bottom, h);
  for (int i = 0; i < len; ++i) {
    if (text[i] == ' ') continue;
    int gx = x + GlyphWidth * i + 1, gy = y + 4;
    for (int py = std::max(gy, top); py < std::min(gy + 8, bottom); ++py)
      for (int px = std::max(gx, left); px < std::min(gx + 4, right); ++px)
        pixels[py * w + px] = ColourToPixel(colour);
  }
}
