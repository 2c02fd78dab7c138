// Helpers of the image tests: pictures for the encoder, and decoding bytes held in memory.
#pragma once
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "display/GifDecoder.h"
#include "tools/GifEncoder.h"

// A picture whose index at (x, y) is index(x, y) modulo the number of colours;
// colour i is never black, so undecoded (zero) pixels stand out.
template <typename IndexOf>
GifPicture MakePicture(int width, int height, int colours, IndexOf index) {
  GifPicture p;
  p.width = width;
  p.height = height;
  for (int i = 0; i < colours; ++i)
    p.colours.push_back(0x010101 | uint32_t(i * 97 % 256) << 16 | uint32_t(i * 31 % 256) << 8 |
                        uint32_t(i));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.indices.push_back(uint8_t(index(x, y) % colours));
  return p;
}

// The 0x00RRGGBB pixels a picture stands for.
inline std::vector<uint32_t> ExpectedPixels(const GifPicture& p) {
  std::vector<uint32_t> out;
  for (uint8_t i : p.indices) out.push_back(p.colours[i]);
  return out;
}

// Decodes file bytes into a width x height buffer; *written gets the decoder's count.
inline std::vector<uint32_t> DecodeBytes(const std::vector<uint8_t>& file, int width, int height,
                                         int* written = nullptr) {
  std::istringstream in(std::string(file.begin(), file.end()));
  std::vector<uint32_t> pixels(size_t(width) * height, 0xDEADBEEF);
  int n = DecodeGif(in, pixels.data(), width, height);
  if (written) *written = n;
  return pixels;
}

// The number of leading pixels two buffers share.
inline size_t CommonPrefix(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}
