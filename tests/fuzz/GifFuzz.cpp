// libFuzzer target for the GIF decoder: any bytes end decoding inside its buffers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "display/GifDecoder.h"

// The decoder never reads the screen size, so it chooses the buffer: the
// shipped picture fills its own 270 x 400, and a mutated size makes the
// buffer fill up before the data ends as often as the other way round.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto side = [&](size_t at) {
    return at + 1 < size ? std::clamp(data[at] | data[at + 1] << 8, 1, 512) : 1;
  };
  int width = side(6), height = side(8);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<uint32_t> pixels(size_t(width) * height);
  int written = DecodeGif(in, pixels.data(), width, height);
  if (written < 0 || written > width * height) __builtin_trap();
  return 0;
}
