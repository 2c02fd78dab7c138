// libFuzzer target for the GIF decoder: any bytes end decoding inside its buffers.
// Run: fuzz_gif -max_total_time=60 CORPUS_DIR, the directory seeded with build/run/Ploxen.gif.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "display/GifDecoder.h"

// The first two bytes choose the buffer size, so a full buffer is reached
// as often as the end of the data; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int width = 1 + data[0] % 64, height = 1 + data[1] % 64;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data + 2), size - 2));
  std::vector<uint32_t> pixels(size_t(width) * height);
  int written = DecodeGif(in, pixels.data(), width, height);
  if (written < 0 || written > width * height) __builtin_trap();
  return 0;
}
