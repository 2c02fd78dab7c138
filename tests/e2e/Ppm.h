// A binary PPM screenshot or picture, as the e2e checkers read it.
#pragma once
#include <cstdio>
#include <vector>

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
  unsigned At(int x, int y) const {
    const unsigned char* p = &rgb[size_t(y * w + x) * 3];
    return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
  }
};

inline bool ReadPpm(const char* path, Image& im) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  int max = 0;
  bool ok = std::fscanf(f, "P6 %d %d %d", &im.w, &im.h, &max) == 3 && max == 255;
  std::fgetc(f);
  im.rgb.resize(size_t(im.w) * im.h * 3);
  ok = ok && std::fread(im.rgb.data(), 1, im.rgb.size(), f) == im.rgb.size();
  std::fclose(f);
  return ok;
}
