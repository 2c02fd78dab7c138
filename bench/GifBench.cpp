// Decoding time of the background picture: our decoder against giflib on the same file, same run.
// gif-bench [FILE [RUNS]]: medians of RUNS alternating decodes; the ratio's goal is at most 1.0.
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "display/BackgroundImage.h"
#include "display/GifDecoder.h"

using Clock = std::chrono::steady_clock;

// giflib's whole decode, then the same colour lookup into the same pixel
// format as ours, so both produce what the game needs.
static bool GiflibDecode(const char* path, uint32_t* pixels, int total) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path, &error);
  if (!gif) return false;
  bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0 && gif->SColorMap;
  if (ok) {
    const SavedImage& image = gif->SavedImages[0];
    const GifColorType* colours = gif->SColorMap->Colors;
    int n = std::min(total, image.ImageDesc.Width * image.ImageDesc.Height);
    for (int i = 0; i < n; ++i) {
      const GifColorType& c = colours[image.RasterBits[i]];
      pixels[i] = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
    }
  }
  DGifCloseFile(gif, &error);
  return ok;
}

template <typename Decode>
static double Microseconds(Decode decode) {
  auto t0 = Clock::now();
  decode();
  return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

static double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : PLOXEN_PICTURE;
  int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 300;
  const int total = ImageWidth * ImageHeight;
  std::vector<uint32_t> ours(total), theirs(total);
  if (!LoadGifImage(path, ours.data(), ImageWidth, ImageHeight) ||
      !GiflibDecode(path, theirs.data(), total)) {
    std::fprintf(stderr, "cannot decode %s\n", path);
    return 1;
  }
  // A faster decoder that gets the picture wrong measures nothing.
  if (ours != theirs) {
    std::fprintf(stderr, "the two decoders disagree on %s\n", path);
    return 1;
  }
  std::vector<double> oursUs, theirsUs;
  for (int i = 0; i < runs; ++i) {
    oursUs.push_back(
        Microseconds([&] { LoadGifImage(path, ours.data(), ImageWidth, ImageHeight); }));
    theirsUs.push_back(Microseconds([&] { GiflibDecode(path, theirs.data(), total); }));
  }
  double a = Median(oursUs), b = Median(theirsUs);
  std::printf("%s, %d x %d, median of %d decodes each, file to 0x00RRGGBB pixels:\n", path,
              ImageWidth, ImageHeight, runs);
  std::printf("  ours   %8.1f us\n  giflib %8.1f us\n  ratio  %8.2f (goal: at most 1.0)\n", a, b,
              a / b);
  return 0;
}
