// Platform drawing surfaces: 32-bit pixel buffers, the window's client area among them.
#pragma once
#include <cstdint>

// Pixels are 0x00RRGGBB, rows top-down with no gap; colours handed to the
// fill and outline operations are 0x00BBGGRR (red in the low byte).
struct Surface;

constexpr int WindowWidth = 450;
constexpr int WindowHeight = 400;
// The whole window with its caption and menu, and where the client area lies in it.
constexpr int FrameWidth = 450;
constexpr int FrameHeight = 444;
constexpr int ClientLeft = 3;
constexpr int ClientTop = 41;

// Fill and outline colours used by SurfaceRectangle (0x00BBGGRR).
struct DrawTools {
  uint32_t fill;
  uint32_t outline;
};

// The window's 450 x 400 client area; whatever is drawn on it reaches the screen.
Surface* WindowSurface();

// A new off-screen surface of w x h pixels, all black; never fails.
Surface* CreateSurface(int w, int h);

// Frees a surface made by CreateSurface.
void DeleteSurface(Surface* s);

// The surface's pixels, width x height of them.
uint32_t* SurfacePixels(Surface* s);
int SurfaceWidth(const Surface* s);
int SurfaceHeight(const Surface* s);

// Makes t the fill and outline colours of s and returns the ones it displaced.
DrawTools SurfaceSelectTools(Surface* s, DrawTools t);

// Outlines (left, top)..(right, bottom) with the outline colour and fills the
// inside; the right column and the bottom row are excluded.
void SurfaceRectangle(Surface* s, int left, int top, int right, int bottom);

// Copies w x h pixels from src (srcWidth pixels per row) at (sx, sy) to (dx, dy)
// of s, clipped to s.
void SurfacePutPixels(Surface* s, int dx, int dy, const uint32_t* src, int srcWidth,
                      int sx, int sy, int w, int h);

enum FontId { DefaultFont, StatsFont, LogFont };
enum RasterOp { CopyPixels, AndPixels };

struct TextRect {
  int left, top, right, bottom;
};

// Copies w x h pixels from (sx, sy) of src to (dx, dy) of dst, replacing them
// or ANDing them in; a copy within one surface may overlap itself.
void SurfaceBlit(Surface* dst, int dx, int dy, int w, int h, Surface* src, int sx, int sy,
                 RasterOp op);

// Chooses the font and text colour (0x00BBGGRR) of later text on s.
void SurfaceSelectFont(Surface* s, FontId font);
void SurfaceTextColour(Surface* s, uint32_t colour);

// Draws Windows-1252 text with its top-left corner at (x, y), background untouched.
void SurfaceTextOut(Surface* s, int x, int y, const char* text);

// Where text wrapped at blanks within r's width lands: r's left and top kept,
// bottom one line height per line, right fitted to the text; a word wider than
// the width widens the rectangle. No prefix processing.
TextRect SurfaceMeasureText(Surface* s, TextRect r, const char* text);

// Draws text wrapped as SurfaceMeasureText places it, clipped to r.
void SurfaceDrawText(Surface* s, TextRect r, const char* text);
