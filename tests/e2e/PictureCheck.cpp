// Reads a screenshot and the game's picture (both binary PPM) and looks in the screenshot for
// the picture's bottom-left 20 x 20 block: the StatsPanel's background in the patterned
// display, drawn only when the game found its picture. Prints where it found it.
#include <cstdio>
#include <vector>

#include "Ppm.h"

// Below the panel's texts: the picture shows there unchanged.
constexpr int BlockX = 0, BlockY = 380, BlockSize = 20;

static bool BlockAt(const Image& shot, const Image& picture, int x, int y) {
  for (int dy = 0; dy < BlockSize; ++dy)
    for (int dx = 0; dx < BlockSize; ++dx)
      if (shot.At(x + dx, y + dy) != picture.At(BlockX + dx, BlockY + dy)) return false;
  return true;
}

// picture-check SHOT.ppm PICTURE.ppm
int main(int argc, char** argv) {
  Image shot, picture;
  if (argc != 3 || !ReadPpm(argv[1], shot) || !ReadPpm(argv[2], picture) ||
      picture.w < BlockX + BlockSize || picture.h < BlockY + BlockSize) {
    std::fprintf(stderr, "usage: picture-check SHOT.ppm PICTURE.ppm\n");
    return 2;
  }
  for (int y = 0; y + BlockSize <= shot.h; ++y)
    for (int x = 0; x + BlockSize <= shot.w; ++x)
      if (BlockAt(shot, picture, x, y)) {
        std::printf("ok: the picture's StatsPanel background at %d,%d\n", x, y);
        return 0;
      }
  std::printf("FAILED: the picture's StatsPanel background is nowhere on the screen\n");
  return 1;
}
