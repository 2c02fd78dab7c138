// The GIF decoder: our encoder's pictures come back exactly; corrupt data ends decoding safely.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "display/GifDecoder.h"
#include "tools/GifEncoder.h"

static const int W = 270, H = 400;

static std::vector<uint32_t> Decode(const std::vector<uint8_t>& file, int w, int h, int* written) {
  std::istringstream in(std::string(file.begin(), file.end()));
  std::vector<uint32_t> pixels(size_t(w) * h, 0xDEADBEEF);
  *written = DecodeGif(in, pixels.data(), w, h);
  return pixels;
}

// Indices index(x, y) mod colours; no colour is black, so pixels left undecoded stand out.
static GifPicture Picture(int w, int h, int colours, int (*index)(int, int)) {
  GifPicture p{w, h, {}, {}};
  for (int i = 0; i < colours; ++i)
    p.colours.push_back(uint32_t(i) << 16 | uint32_t(255 - i) << 8 | 0x40);
  for (int i = 0; i < w * h; ++i) p.indices.push_back(uint8_t(index(i % w, i / w) % colours));
  return p;
}

static int Noise(int x, int y) {
  return int((uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) >> 13);
}
static int Smooth(int x, int y) { return x / 7 + y / 5; }

static int Flat(int, int) { return 0; }

TEST(GifRoundTrip, OurPicturesDecodeToTheSamePixels) {
  const struct {
    const char* name;
    int w, h, colours;
    int (*index)(int, int);
    GifLzwOptions options;  // clear run, leading clear, clear when full, codes after full, block
  } cases[] = {
      {"full table at 12 bits for 1500 codes, then a clear", W, H, 256, Noise,
       {1, true, false, 1500}},
      {"three clears in a row, 1-byte sub-blocks", W, H, 256, Noise, {3, true, true, 0, 1}},
      {"five colours: a table of 8, code size 3", W, H, 5, Smooth, {}},
      {"one colour: each code names the entry being made", W, H, 4, Flat, {}},
      // With code size 2 entry 4095 is the longest string valid data can hold: one colour
      // throughout makes each entry a byte longer than the last, up to 4091 bytes, and the
      // stack guard must let it through; 4096 x 2048 holds entries 6..4095 and one use of the last.
      {"the longest string valid data can hold", 4096, 2048, 4, Flat, {1, true, false, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GifPicture p = Picture(c.w, c.h, c.colours, c.index);
    std::vector<uint32_t> want;
    for (uint8_t i : p.indices) want.push_back(p.colours[i]);
    int written = 0;
    EXPECT_TRUE(Decode(EncodeGif(p, c.options), c.w, c.h, &written) == want);
    EXPECT_EQ(written, c.w * c.h);
  }
}

// Hand-made codes around a table of four colours, code size 2: clear 4, end 5,
// entries from 6, 3-bit codes until entry 7 is made. The file ends with the data.
TEST(GifCodes, HandMadeCodesDecodeOrEndSafely) {
  const struct {
    const char* name;
    std::vector<int> narrow, wide;  // 3-bit codes, then 4-bit ones
    std::vector<int> want;          // colour indices decoded; the rest stays black
  } cases[] = {
      {"the entry being made, named at the new width", {4, 1, 2, 3}, {8, 5}, {1, 2, 3, 3, 3}},
      {"a code above the next free one ends decoding", {4, 1, 2, 3}, {10, 1, 5}, {1, 2, 3}},
      {"the file ends before the end code", {4, 1, 2, 3}, {1}, {1, 2, 3, 1}},
      {"no leading clear: the first code is colour 0, makes no entry", {6, 1, 2}, {5}, {0, 1, 2}},
  };
  GifPicture four = Picture(2, 2, 4, Smooth);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GifBitWriter bits;
    for (int code : c.narrow) PutCode(bits, code, 3);
    for (int code : c.wide) PutCode(bits, code, 4);
    std::vector<uint8_t> file = WrapGif(four, 2, FinishCodes(bits));
    file.resize(file.size() - 2);  // no block terminator, no trailer
    int written = 0;
    std::vector<uint32_t> got = Decode(file, 4, 4, &written), want(16, 0);
    for (size_t i = 0; i < c.want.size(); ++i) want[i] = four.colours[c.want[i]];
    EXPECT_EQ(got, want);
    EXPECT_EQ(written, int(c.want.size()));
  }
}
