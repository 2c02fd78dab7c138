// The small GIF decoder behind the background picture: one fixed file layout, LZW image data.
#pragma once
#include <cstdint>
#include <iosfwd>

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

extern GifDecoderState GifState;

// Decodes the GIF file into width x height pixels (0x00RRGGBB, rows top-down);
// false when the file cannot be opened, and then nothing is touched.
bool LoadGifImage(const char* fileName, uint32_t* pixels, int width, int height);

// Decodes a GIF stream as LoadGifImage does; returns how many pixels it wrote.
// Decoding ends at the end code, a full buffer, the end of the data or a corrupt code.
int DecodeGif(std::istream& in, uint32_t* pixels, int width, int height);

// Reads the next image data sub-block; false when the data has ended.
bool ReadSubBlock();

// The next code of the current width, least significant bit first; -1 when the data has ended.
int ReadCode();

// Pushes the string of code c onto the stack, last byte first, and keeps its
// first byte; false when corrupt prefixes would overrun the stack or the table.
bool ExpandCode(int c);
