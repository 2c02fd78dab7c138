// make_icons: writes the program's icon 102 as PNG files for the desktop's icon theme,
// OUTDIR/NxN/apps/ploxen.png for each size, drawn by the same code as the window's icon.
//
// The images are stored without compression: the tool needs no library, and the
// package's own compression takes the runs of equal pixels away.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/Resources.h"

// Multiples of four, so that every cell of the drawing has the same size.
static const int IconSizes[] = {16, 32, 48, 64, 128, 256};

using Bytes = std::vector<uint8_t>;

static void PutBig(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

static uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

static void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBig(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBig(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored deflate blocks, at most 65535 bytes each.
static Bytes StoredZlib(const Bytes& raw) {
  Bytes z = {0x78, 0x01};
  size_t at = 0;
  do {
    size_t n = std::min<size_t>(raw.size() - at, 65535);
    z.push_back(at + n == raw.size() ? 1 : 0);  // the last block says so
    z.insert(z.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
    z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBig(z, b << 16 | a);
  return z;
}

// An 8-bit RGBA PNG of the 0xAARRGGBB pixels, rows top-down, each with filter type 0.
static Bytes PngFile(const std::vector<unsigned>& pixels, int size) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig(header, uint32_t(size));
  PutBig(header, uint32_t(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", header);
  Bytes raw;
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);
    for (int x = 0; x < size; ++x) {
      unsigned p = pixels[size_t(y) * size + x];
      raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
  }
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icons OUTDIR\n");
    return 2;
  }
  for (int size : IconSizes) {
    std::vector<unsigned> pixels(size_t(size) * size);
    DrawIcon(pixels.data(), size);
    std::string sized = std::to_string(size);
    std::filesystem::path dir = std::filesystem::path(argv[1]) / (sized + "x" + sized) / "apps";
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    Bytes png = PngFile(pixels, size);
    std::string path = (dir / "ploxen.png").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) {
      std::fprintf(stderr, "make-icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
