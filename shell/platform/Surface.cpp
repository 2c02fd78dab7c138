// Pixel work on surfaces, common to every back end: only the screen differs.
#include "shell/platform/Surface.h"

#include <algorithm>
#include <vector>

struct Surface {
  int width;
  int height;
  std::vector<uint32_t> pixels;
  DrawTools tools;
};

static Surface g_window{WindowWidth, WindowHeight,
                        std::vector<uint32_t>(WindowWidth * WindowHeight, 0), {0, 0}};

static uint32_t PixelOf(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

static void Touch(Surface* s, int x, int y, int w, int h) {
  if (s == &g_window && w > 0 && h > 0) WindowInvalidate(x, y, w, h);
}

static void FillSpan(Surface* s, int x0, int x1, int y, uint32_t pixel) {
  if (y < 0 || y >= s->height) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, s->width);
  for (int x = x0; x < x1; ++x) s->pixels[y * s->width + x] = pixel;
}

Surface* WindowSurface() { return &g_window; }

Surface* CreateSurface(int w, int h) {
  return new Surface{w, h, std::vector<uint32_t>(size_t(w) * h, 0), {0xFFFFFF, 0}};
}

void DeleteSurface(Surface* s) {
  if (s != &g_window) delete s;
}

uint32_t* SurfacePixels(Surface* s) { return s->pixels.data(); }
int SurfaceWidth(const Surface* s) { return s->width; }
int SurfaceHeight(const Surface* s) { return s->height; }

DrawTools SurfaceSelectTools(Surface* s, DrawTools t) {
  DrawTools old = s->tools;
  s->tools = t;
  return old;
}

void SurfaceRectangle(Surface* s, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  uint32_t fill = PixelOf(s->tools.fill), pen = PixelOf(s->tools.outline);
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
