// Pixel work on surfaces, common to every back end: only the screen differs.
#include "shell/platform/Surface.h"

#include "resources/Colours.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "shell/platform/Text.h"
#include "shell/platform/Window.h"

struct Surface {
  int width;
  int height;
  uint32_t* pixels;  // the window's lent by the back end, else those of own
  DrawTools tools;
  FontId font;
  uint32_t textColour;
  std::vector<uint32_t> own;
};

static Surface g_window{WindowWidth, WindowHeight, nullptr, {0, 0}, DefaultFont, 0, {}};

static void Touch(const Surface* s, int x, int y, int w, int h) {
  if (s == &g_window && w > 0 && h > 0) WindowInvalidate(x, y, w, h);
}

static void FillSpan(Surface* s, int x0, int x1, int y, uint32_t pixel) {
  if (y < 0 || y >= s->height) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, s->width);
  for (int x = x0; x < x1; ++x) s->pixels[y * s->width + x] = pixel;
}

// The window's pixels are the back end's, which shows them; every use of the
// window surface comes through here, so it never draws before it has them.
Surface* WindowSurface() {
  if (!g_window.pixels) g_window.pixels = WindowPixels();
  return &g_window;
}

Surface* CreateSurface(int w, int h) {
  Surface* s = new Surface{w, h, nullptr, {0xFFFFFF, 0}, DefaultFont, 0,
                           std::vector<uint32_t>(size_t(w) * h, 0)};
  s->pixels = s->own.data();
  return s;
}

void DeleteSurface(Surface* s) {
  if (s != &g_window) delete s;
}

uint32_t* SurfacePixels(Surface* s) { return s->pixels; }
int SurfaceWidth(const Surface* s) { return s->width; }
int SurfaceHeight(const Surface* s) { return s->height; }

DrawTools SurfaceSelectTools(Surface* s, DrawTools t) {
  DrawTools old = s->tools;
  s->tools = t;
  return old;
}

void SurfaceRectangle(Surface* s, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  uint32_t fill = ColourToPixel(s->tools.fill), pen = ColourToPixel(s->tools.outline);
  for (int y = top; y < bottom; ++y) {
    bool edge = y == top || y == bottom - 1;
    FillSpan(s, left, right, y, edge ? pen : fill);
    if (!edge) {
      FillSpan(s, left, left + 1, y, pen);
      FillSpan(s, right - 1, right, y, pen);
    }
  }
  Touch(s, left, top, right - left, bottom - top);
}

void SurfacePutPixels(Surface* s, int dx, int dy, const uint32_t* src, int srcWidth,
                      int sx, int sy, int w, int h) {
  int x0 = std::max(dx, 0), y0 = std::max(dy, 0);
  int x1 = std::min(dx + w, s->width), y1 = std::min(dy + h, s->height);
  if (x1 <= x0 || y1 <= y0) return;
  for (int y = y0; y < y1; ++y) {
    const uint32_t* from = src + size_t(sy + y - dy) * srcWidth + (sx + x0 - dx);
    std::copy(from, from + (x1 - x0), &s->pixels[size_t(y) * s->width + x0]);
  }
  Touch(s, x0, y0, x1 - x0, y1 - y0);
}

void SurfaceBlit(Surface* dst, int dx, int dy, int w, int h, Surface* src, int sx, int sy,
                 RasterOp op) {
  // Clip against both surfaces, moving the source origin with the destination.
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  w = std::min({w, dst->width - dx, src->width - sx});
  h = std::min({h, dst->height - dy, src->height - sy});
  if (w <= 0 || h <= 0) return;
  // Rows go bottom-up when the block moves down within one surface, so no
  // source row is overwritten before it is read.
  bool upward = src == dst && dy > sy;
  for (int k = 0; k < h; ++k) {
    int row = upward ? h - 1 - k : k;
    const uint32_t* from = &src->pixels[size_t(sy + row) * src->width + sx];
    uint32_t* to = &dst->pixels[size_t(dy + row) * dst->width + dx];
    if (op == CopyPixels) std::memmove(to, from, size_t(w) * sizeof(uint32_t));
    else for (int x = 0; x < w; ++x) to[x] &= from[x];
  }
  Touch(dst, dx, dy, w, h);
}

void SurfaceSelectFont(Surface* s, FontId font) { s->font = font; }

void SurfaceTextColour(Surface* s, uint32_t colour) { s->textColour = colour; }

void SurfaceTextOut(Surface* s, int x, int y, const char* text) {
  int len = int(std::strlen(text));
  TextRect all{0, 0, s->width, s->height};
  FontDrawText(s->pixels, s->width, s->height, s->font, s->textColour, x, y, text, len, all);
  Touch(s, x, y, FontTextWidth(s->font, text, len), FontLineHeight(s->font));
}

struct TextLine {
  const char* start;
  int len;
};

static int Width(FontId f, const char* p, int len) { return FontTextWidth(f, p, len); }

// Breaks text into lines no wider than width at blanks and line feeds; a word
// wider than width stays whole on a line of its own.
static std::vector<TextLine> WrapText(FontId f, const char* text, int width) {
  std::vector<TextLine> lines;
  const char* p = text;
  while (true) {
    const char* lineStart = p;
    const char* lineEnd = p;  // end of the last word that fits
    const char* q = p;
    while (*q && *q != '\n') {
      const char* wordEnd = q;
      while (*wordEnd == ' ') ++wordEnd;
      while (*wordEnd && *wordEnd != ' ' && *wordEnd != '\n') ++wordEnd;
      if (lineEnd != lineStart && Width(f, lineStart, int(wordEnd - lineStart)) > width) break;
      lineEnd = q = wordEnd;
    }
    int len = int(lineEnd - lineStart);
    if (len > 0 && lineStart[len - 1] == '\r') --len;
    lines.push_back({lineStart, len});
    p = lineEnd;
    while (*p == ' ') ++p;
    if (*p == '\n') ++p;
    else if (!*p) break;
  }
  return lines;
}

TextRect SurfaceMeasureText(Surface* s, TextRect r, const char* text) {
  std::vector<TextLine> lines = WrapText(s->font, text, r.right - r.left);
  int widest = 0;
  for (const TextLine& l : lines) widest = std::max(widest, Width(s->font, l.start, l.len));
  return {r.left, r.top, r.left + widest, r.top + int(lines.size()) * FontLineHeight(s->font)};
}

void SurfaceDrawText(Surface* s, TextRect r, const char* text) {
  std::vector<TextLine> lines = WrapText(s->font, text, r.right - r.left);
  int y = r.top, step = FontLineHeight(s->font);
  for (const TextLine& l : lines) {
    FontDrawText(s->pixels, s->width, s->height, s->font, s->textColour, r.left, y,
                 l.start, l.len, r);
    y += step;
  }
  Touch(s, r.left, r.top, r.right - r.left, r.bottom - r.top);
}
