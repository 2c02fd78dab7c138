// The GIF decoder: our encoder's pictures come back exactly; corrupt data ends decoding safely.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ImageTestSupport.h"

static const int W = 270, H = 400;

static int Smooth(int x, int y) { return x / 7 + y / 5 + (x * y / 97) % 3; }
static int Noise(int x, int y) {
  uint32_t h = uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u;
  return int((h ^ (h >> 15)) * 2246822519u >> 24);
}
static int Flat(int, int) { return 0; }

struct RoundTrip {
  const char* name;
  int (*index)(int, int);
  int colours;
  GifLzwOptions options;
};

static GifLzwOptions Options(int clearRun, bool leadingClear, bool clearWhenFull,
                             int codesAfterFull, int subBlockSize) {
  GifLzwOptions o;
  o.clearRun = clearRun;
  o.leadingClear = leadingClear;
  o.clearWhenFull = clearWhenFull;
  o.codesAfterFull = codesAfterFull;
  o.subBlockSize = subBlockSize;
  return o;
}

static const RoundTrip RoundTrips[] = {
    {"gradient, 256 colours", Smooth, 256, Options(1, true, true, 0, 255)},
    {"noise: the table fills and restarts", Noise, 256, Options(1, true, true, 0, 255)},
    {"noise: full table kept to the end at 12 bits", Noise, 256, Options(1, true, false, 0, 255)},
    {"noise: full table kept, then a late clear", Noise, 256, Options(1, true, false, 1500, 255)},
    {"three clear codes in a row at every restart", Noise, 256, Options(3, true, true, 0, 255)},
    {"gradient with three leading clears", Smooth, 256, Options(3, true, true, 0, 255)},
    {"five colours: a table of 8, code size 3", Noise, 5, Options(1, true, true, 0, 255)},
    {"two colours: a table of 2, code size 2", Smooth, 2, Options(1, true, true, 0, 255)},
    {"sixteen colours, no leading clear code", Smooth, 16, Options(1, false, true, 0, 255)},
    {"one-byte sub-blocks: codes span blocks", Noise, 256, Options(1, true, true, 0, 1)},
    {"seven-byte sub-blocks", Smooth, 64, Options(1, true, true, 0, 7)},
    {"one colour: every code names the entry about to be made", Flat, 4,
     Options(1, true, true, 0, 255)},
};

TEST(GifRoundTrip, OurPicturesDecodeToTheSamePixels) {
  for (const RoundTrip& c : RoundTrips) {
    SCOPED_TRACE(c.name);
    GifPicture p = MakePicture(W, H, c.colours, c.index);
    int written = 0;
    std::vector<uint32_t> got = DecodeBytes(EncodeGif(p, c.options), W, H, &written);
    EXPECT_EQ(written, W * H);
    EXPECT_EQ(CommonPrefix(got, ExpectedPixels(p)), size_t(W) * H);
  }
}

TEST(GifRoundTrip, AFullTableStaysAt12BitsWithoutNewEntries) {
  GifPicture p = MakePicture(W, H, 256, Noise);
  GifLzwOptions keep = Options(1, true, false, 0, 255);
  std::vector<uint8_t> lzw = CompressLzw(p.indices, 8, keep);
  // Far more codes than the table has entries went out after the last clear.
  ASSERT_GT(lzw.size() * 8 / 12, size_t(4 * GifMaxCodes));
  std::vector<uint32_t> got = DecodeBytes(WrapGif(p, 8, lzw), W, H);
  EXPECT_EQ(GifState.nextFree, GifMaxCodes);
  EXPECT_EQ(GifState.codeWidth, 12);
  EXPECT_EQ(CommonPrefix(got, ExpectedPixels(p)), size_t(W) * H);
}

// With one colour and code size 2 every string is one byte longer than the
// one before; the last entry, 4095, is the longest string there can be
// (4091 bytes), and with the table kept full it is sent again and again.
TEST(GifRoundTrip, TheLongestValidStringsFitTheStack) {
  const int side = 2900;  // 8,410,000 pixels: strings 1..4091 bytes long need 8,370,186
  GifPicture p = MakePicture(side, side, 4, Flat);
  int written = 0;
  std::vector<uint32_t> got =
      DecodeBytes(EncodeGif(p, Options(1, true, false, 0, 255)), side, side, &written);
  EXPECT_EQ(written, side * side);
  EXPECT_EQ(std::count(got.begin(), got.end(), p.colours[0]), long(side) * side);
}

struct Code {
  int value, width;
};

// A file around hand-made codes, with a table of four colours.
static std::vector<uint8_t> Crafted(int minCodeSize, std::initializer_list<Code> codes) {
  GifBitWriter w;
  for (const Code& c : codes) PutCode(w, c.value, c.width);
  return WrapGif(MakePicture(2, 2, 4, Flat), minCodeSize, FinishCodes(w));
}

static const uint32_t* Colours() {
  static GifPicture p = MakePicture(1, 1, 4, Flat);
  return p.colours.data();
}

// Code size 2: clear 4, end 5, entries from 6; 3-bit codes until entry 7 is made.
TEST(GifCodes, ACodeNamingTheNextEntryAcrossAWidthChange) {
  int written = 0;
  auto got =
      DecodeBytes(Crafted(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {8, 4}, {5, 4}}), 4, 4, &written);
  // Code 8 is the entry being made: the previous string "3" followed by its own first byte.
  const uint32_t* c = Colours();
  EXPECT_EQ(written, 5);
  EXPECT_EQ(got,
            (std::vector<uint32_t>{c[1], c[2], c[3], c[3], c[3], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(GifCodes, ACodeAboveTheNextFreeOneEndsDecoding) {
  int written = 0;
  // After 1, 2, 3 the next free code is 8; code 10 is corrupt and what follows is ignored.
  auto got =
      DecodeBytes(Crafted(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {10, 4}, {1, 4}, {2, 4}, {5, 4}}), 4,
                  4, &written);
  const uint32_t* c = Colours();
  EXPECT_EQ(written, 3);
  EXPECT_EQ(got, (std::vector<uint32_t>{c[1], c[2], c[3], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(GifCodes, DataWithoutALeadingClearStartsAsAfterOne) {
  int written = 0;
  // The first code is no literal: it stands for colour 0 and makes no entry;
  // then 1 and 2 make entries 6 and 7, so the end code comes at 4 bits.
  auto got = DecodeBytes(Crafted(2, {{6, 3}, {1, 3}, {2, 3}, {5, 4}, {1, 4}}), 2, 2, &written);
  const uint32_t* c = Colours();
  EXPECT_EQ(written, 3);
  EXPECT_EQ(got, (std::vector<uint32_t>{c[0], c[1], c[2], 0}));
}

TEST(GifCodes, AnEndCodeRightAfterAClearEndsDecoding) {
  int written = 0;
  auto got = DecodeBytes(Crafted(2, {{4, 3}, {4, 3}, {5, 3}, {1, 3}}), 2, 2, &written);
  EXPECT_EQ(written, 0);
  EXPECT_EQ(got, std::vector<uint32_t>(4, 0));
}

TEST(GifCodes, CodeSizesOutsideTheFormatDecodeNothing) {
  for (int m : {0, 1, 9, 12, 255}) {
    SCOPED_TRACE(m);
    int written = 0;
    auto got = DecodeBytes(Crafted(m, {{0, 13}, {1, 13}, {2, 13}, {3, 13}}), 2, 2, &written);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(got, std::vector<uint32_t>(4, 0));
  }
}

TEST(GifCodes, EntriesBeyondASmallTableAreBlack) {
  // A table of four colours with 8-bit codes: literals 4..255 have no colour.
  GifPicture p = MakePicture(4, 1, 4, Flat);
  p.indices = {1, 200, 3, 255};
  int written = 0;
  auto got = DecodeBytes(WrapGif(p, 8, CompressLzw(p.indices, 8)), 4, 1, &written);
  EXPECT_EQ(written, 4);
  EXPECT_EQ(got, (std::vector<uint32_t>{p.colours[1], 0, p.colours[3], 0}));
}

TEST(GifTruncated, AFileCutShortKeepsThePixelsDecodedSoFar) {
  GifPicture p = MakePicture(W, H, 256, Noise);
  std::vector<uint8_t> file = EncodeGif(p);
  std::vector<uint32_t> want = ExpectedPixels(p);
  size_t lastPrefix = 0;
  for (size_t cut : {size_t(1000), file.size() / 4, file.size() / 2, file.size() - 3}) {
    SCOPED_TRACE(cut);
    int written = 0;
    auto got =
        DecodeBytes(std::vector<uint8_t>(file.begin(), file.begin() + long(cut)), W, H, &written);
    size_t prefix = CommonPrefix(got, want);
    EXPECT_EQ(size_t(written), prefix);
    EXPECT_GT(prefix, lastPrefix);
    EXPECT_TRUE(
        std::all_of(got.begin() + long(prefix), got.end(), [](uint32_t v) { return v == 0; }));
    lastPrefix = prefix;
  }
}

TEST(GifTruncated, ABlockTerminatorBeforeTheEndCodeEndsDecoding) {
  GifPicture p = MakePicture(W, H, 256, Smooth);
  std::vector<uint8_t> lzw = CompressLzw(p.indices, 8);
  lzw.resize(lzw.size() / 2);
  int written = 0;
  auto got = DecodeBytes(WrapGif(p, 8, lzw), W, H, &written);
  EXPECT_GT(written, 0);
  EXPECT_LT(written, W * H);
  EXPECT_EQ(CommonPrefix(got, ExpectedPixels(p)), size_t(written));
  EXPECT_EQ(got[size_t(written)], 0u);
}

TEST(GifTruncated, AHeaderCutShortDecodesNothing) {
  std::vector<uint8_t> file = EncodeGif(MakePicture(W, H, 256, Smooth));
  for (size_t cut : {size_t(0), size_t(5), size_t(11), size_t(400), size_t(13 + 768 + 18)}) {
    SCOPED_TRACE(cut);
    int written = 1;
    auto got =
        DecodeBytes(std::vector<uint8_t>(file.begin(), file.begin() + long(cut)), 4, 4, &written);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(got, std::vector<uint32_t>(16, 0));
  }
}

TEST(GifBuffer, APictureLargerThanTheBufferFillsItAndNoMore) {
  GifPicture p = MakePicture(W, H, 256, Noise);
  std::string bytes;
  for (uint8_t b : EncodeGif(p)) bytes.push_back(char(b));
  std::vector<uint32_t> pixels(100 + 16, 0xDEADBEEF);
  std::istringstream in(bytes);
  EXPECT_EQ(DecodeGif(in, pixels.data(), 10, 10), 100);
  std::vector<uint32_t> want = ExpectedPixels(p);
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.begin() + 100, want.begin()));
  EXPECT_TRUE(
      std::all_of(pixels.begin() + 100, pixels.end(), [](uint32_t v) { return v == 0xDEADBEEF; }));
}

TEST(GifExpand, PrefixLoopsAndPrefixesOutsideTheTableAreRefused) {
  GifState.highestLiteral = 255;
  GifState.prefix[300] = 301;
  GifState.prefix[301] = 300;
  GifState.stackCount = 0;
  EXPECT_FALSE(ExpandCode(300));
  EXPECT_LE(GifState.stackCount, GifStackSize);
  GifState.prefix[302] = 5000;
  GifState.stackCount = 0;
  EXPECT_FALSE(ExpandCode(302));
}

TEST(GifFile, AMissingFileIsReportedAndTouchesNothing) {
  std::vector<uint32_t> pixels(16, 0x123456);
  EXPECT_FALSE(LoadGifImage("no-such-picture.gif", pixels.data(), 4, 4));
  EXPECT_EQ(pixels, std::vector<uint32_t>(16, 0x123456));
}
