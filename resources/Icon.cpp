// Icon 102: four bevelled cells of the game's colours on a dark square.
#include "resources/Resources.h"

struct IconCell {
  int col, row;
  unsigned face;
};

// A T of three cells over one, and the bar's grey beside it, on a 4 x 4 grid.
static const IconCell Cells[] = {
    {0, 1, 0xFFFF0000}, {1, 1, 0xFFFF8000}, {2, 1, 0xFF00C000}, {1, 2, 0xFF8080FF},
    {3, 0, 0xFFC0C0C0}, {3, 1, 0xFFC0C0C0}, {3, 2, 0xFFC0C0C0}, {3, 3, 0xFFC0C0C0},
};

static void DrawIconCell(unsigned* px, int size, const IconCell& c) {
  int cell = size / 4, x0 = c.col * cell, y0 = c.row * cell;
  for (int y = 0; y < cell; ++y)
    for (int x = 0; x < cell; ++x) {
      bool light = y == 0 || x == 0, shade = y == cell - 1 || x == cell - 1;
      px[(y0 + y) * size + x0 + x] = light ? 0xFFFFFFFF : shade ? 0xFF808080 : c.face;
    }
}

void DrawIcon(unsigned* pixels, int size) {
  for (int i = 0; i < size * size; ++i) pixels[i] = 0xFF000040;
  for (const IconCell& c : Cells) DrawIconCell(pixels, size, c);
}
