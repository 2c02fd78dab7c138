// LZW decoding of "Ploxen.gif" into a pixel buffer, through fixed-size tables only.
#include "display/GifDecoder.h"

#include <cstring>
#include <fstream>

constexpr int GifMaxCodes = 4096;  // codes are at most 12 bits wide
constexpr int GifStackSize = 4096;

// Everything the decoder keeps, reset at each decode; fixed-size, so decoding
// never allocates.
struct GifDecoderState {
  uint8_t colours[256][3];  // red, green, blue in file order
  uint8_t block[255];       // the current image data sub-block
  int blockLeft, blockPos;
  uint8_t bitByte;  // the byte the bit reader takes bits from
  int bitsLeft;     // its bits not yet used, 0..8
  int minCodeSize, clearCode, endCode, highestLiteral;
  int codeWidth, nextFree, growAt, previous;
  uint8_t firstByte;  // first byte of the string expanded last
  uint16_t prefix[GifMaxCodes];
  uint8_t suffix[GifMaxCodes];
  uint8_t stack[GifStackSize];
  int stackCount;
  std::istream* in;
};

static GifDecoderState GifState;

// The buffer being filled: pixels past its end are dropped.
static uint32_t* g_pixels;
static int g_total;
static int g_written;

// The file layout is fixed: 18 bytes between the colour table and the code
// size are one Graphic Control Extension and the Image Descriptor.
static const int HeaderSkip = 10;
static const int ScreenTailSkip = 2;
static const int TableTailSkip = 18;

static int ReadByte() {
  int b = GifState.in->get();
  return b == std::char_traits<char>::eof() ? -1 : b;
}

static void Skip(int n) { GifState.in->ignore(n); }

// The screen descriptor's table size and the table itself, then the LZW code
// size; false when the file ends first or the code size is not one GIF allows.
static bool ReadHeader() {
  GifDecoderState& g = GifState;
  Skip(HeaderSkip);
  int packed = ReadByte();
  if (packed < 0) return false;
  Skip(ScreenTailSkip);
  int entries = 2 << (packed & 7);
  g.in->read(reinterpret_cast<char*>(g.colours), std::streamsize(entries) * 3);
  Skip(TableTailSkip);
  g.minCodeSize = ReadByte();
  // The format allows 2..8; above 8 the literals would outrun the colour
  // table and the codes the 12-bit code table.
  return g.minCodeSize >= 2 && g.minCodeSize <= 8;
}

// Reads the next image data sub-block; false when the data has ended.
static bool ReadSubBlock() {
  GifDecoderState& g = GifState;
  int count = ReadByte();
  // A zero count is the block terminator: no end code came before it.
  if (count <= 0) return false;
  g.in->read(reinterpret_cast<char*>(g.block), count);
  g.blockLeft = int(g.in->gcount());
  g.blockPos = 0;
  return g.blockLeft > 0;
}

static int NextDataByte() {
  GifDecoderState& g = GifState;
  if (g.blockLeft == 0 && !ReadSubBlock()) return -1;
  --g.blockLeft;
  return g.block[g.blockPos++];
}

// The next code of the current width, least significant bit first; -1 when the data has ended.
static int ReadCode() {
  GifDecoderState& g = GifState;
  if (g.bitsLeft == 0) {
    int b = NextDataByte();
    if (b < 0) return -1;
    g.bitByte = uint8_t(b);
    g.bitsLeft = 8;
  }
  int value = g.bitByte >> (8 - g.bitsLeft);
  int have = g.bitsLeft;
  while (have < g.codeWidth) {
    int b = NextDataByte();
    if (b < 0) return -1;
    g.bitByte = uint8_t(b);
    value |= b << have;
    have += 8;
  }
  g.bitsLeft = have - g.codeWidth;
  return value & ((1 << g.codeWidth) - 1);
}

static bool Push(int byte) {
  GifDecoderState& g = GifState;
  if (g.stackCount >= GifStackSize) return false;
  g.stack[g.stackCount++] = uint8_t(byte);
  return true;
}

// Pushes the string of code c onto the stack, last byte first, and keeps its
// first byte; false when corrupt prefixes would overrun the stack or the table.
static bool ExpandCode(int c) {
  GifDecoderState& g = GifState;
  // Valid strings always fit the stack, so running out of it means the
  // prefixes loop; the bound also ends the walk.
  while (c > g.highestLiteral) {
    if (c >= GifMaxCodes || !Push(g.suffix[c])) return false;
    c = g.prefix[c];
  }
  if (!Push(c)) return false;
  g.firstByte = uint8_t(c);
  return true;
}

// First byte of the previous code's string, for a code that names the entry
// about to be made; -1 when the prefixes loop.
static int FirstByteOfPrevious() {
  const GifDecoderState& g = GifState;
  int c = g.previous;
  for (int steps = 0; c > g.highestLiteral; ++steps) {
    if (c >= GifMaxCodes || steps >= GifStackSize) return -1;
    c = g.prefix[c];
  }
  return c;
}

static void AddEntry(int prefix, int suffix) {
  GifDecoderState& g = GifState;
  if (g.nextFree >= GifMaxCodes) return;
  g.prefix[g.nextFree] = uint16_t(prefix);
  g.suffix[g.nextFree] = uint8_t(suffix);
  ++g.nextFree;
}

static void ResetCodes() {
  GifDecoderState& g = GifState;
  g.codeWidth = g.minCodeSize + 1;
  g.nextFree = g.clearCode + 2;
  g.growAt = 1 << g.codeWidth;
}

// The first code after a clear only names a literal: nothing to add yet.
// Anything above the literals stands for colour 0, as no entry exists.
static void TakeFirstCode(int code) {
  if (code >= GifState.clearCode + 2) code = 0;
  Push(code);
  GifState.previous = code;
}

// A code after the first: a known string, or the entry about to be made
// (the previous string followed by its own first byte). False when corrupt.
static bool TakeCode(int code) {
  GifDecoderState& g = GifState;
  if (code < g.nextFree) {
    if (!ExpandCode(code)) return false;
    AddEntry(g.previous, g.firstByte);
  } else if (code == g.nextFree) {
    int first = FirstByteOfPrevious();
    if (first < 0) return false;
    AddEntry(g.previous, first);
    if (!ExpandCode(code)) return false;
  } else {
    return false;
  }
  g.previous = code;
  if (g.nextFree >= g.growAt && g.codeWidth < 12) {
    g.growAt *= 2;
    ++g.codeWidth;
  }
  return true;
}

static void PopToPixels() {
  GifDecoderState& g = GifState;
  while (g.stackCount > 0) {
    const uint8_t* rgb = g.colours[g.stack[--g.stackCount]];
    if (g_written < g_total)
      g_pixels[g_written++] = uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
  }
}

static void StartDecoder(std::istream& in, uint32_t* pixels, int width, int height) {
  std::memset(&GifState, 0, sizeof GifState);
  GifState.in = &in;
  g_pixels = pixels;
  g_total = width > 0 && height > 0 ? width * height : 0;
  g_written = 0;
  if (g_total > 0) std::memset(pixels, 0, size_t(g_total) * sizeof(uint32_t));
}

static int DecodeImage() {
  GifDecoderState& g = GifState;
  if (!ReadHeader()) return 0;
  g.clearCode = 1 << g.minCodeSize;
  g.endCode = g.clearCode + 1;
  g.highestLiteral = g.clearCode - 1;
  // Data that does not begin with a clear code starts as if it did.
  ResetCodes();
  bool first = true;
  while (g_written < g_total) {
    int code = ReadCode();
    if (code < 0 || code == g.endCode) break;
    if (code == g.clearCode) {
      ResetCodes();
      first = true;
      continue;
    }
    if (first)
      TakeFirstCode(code);
    else if (!TakeCode(code))
      break;
    first = false;
    PopToPixels();
  }
  return g_written;
}

// The stream and the pixels are the caller's: nothing keeps them past the call,
// where a file stream would already be closed.
int DecodeGif(std::istream& in, uint32_t* pixels, int width, int height) {
  StartDecoder(in, pixels, width, height);
  int written = DecodeImage();
  GifState.in = nullptr;
  g_pixels = nullptr;
  return written;
}

bool LoadGifImage(const char* fileName, uint32_t* pixels, int width, int height) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  DecodeGif(file, pixels, width, height);
  return true;
}
