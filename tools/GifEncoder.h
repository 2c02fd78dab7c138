// The project's GIF89a writer: one image after one Graphic Control Extension, as the game reads it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture as colour-table indices, row after row from the top, and its
// colour table of 0x00RRGGBB entries (1 to 256 of them).
struct GifPicture {
  int width = 0, height = 0;
  std::vector<uint8_t> indices;
  std::vector<uint32_t> colours;
};

// How the LZW data is cut; the defaults are what a careful encoder writes.
struct GifLzwOptions {
  int clearRun = 1;          // clear codes written in a row each time the table restarts
  bool leadingClear = true;  // the format asks for a clear code first
  // false: a full table is kept and codes go on at 12 bits until
  // codesAfterFull of them were written (never, when 0), then a clear.
  bool clearWhenFull = true;
  int codesAfterFull = 0;
  int subBlockSize = 255;  // data bytes per sub-block, 1..255
};

// Codes packed least significant bit first.
struct GifBitWriter {
  std::vector<uint8_t> bytes;
  uint32_t pending = 0;
  int pendingBits = 0;
};
void PutCode(GifBitWriter& w, int code, int width);
// The packed bytes, the last partial byte included.
std::vector<uint8_t> FinishCodes(GifBitWriter& w);

// Bits N of the screen descriptor: the table holds 2^(N+1) entries.
int ColourTableBits(size_t colours);

// The LZW minimum code size for a table of that many colours (at least 2).
int MinCodeSizeFor(size_t colours);

// LZW data of the picture's indices, before sub-block framing.
std::vector<uint8_t> CompressLzw(const std::vector<uint8_t>& indices, int minCodeSize,
                                 const GifLzwOptions& options = {});

// The whole file around LZW data: header, screen descriptor, global table,
// Graphic Control Extension, Image Descriptor, code size, sub-blocks, terminator, trailer.
std::vector<uint8_t> WrapGif(const GifPicture& picture, int minCodeSize,
                             const std::vector<uint8_t>& lzwData, int subBlockSize = 255);

// CompressLzw and WrapGif together.
std::vector<uint8_t> EncodeGif(const GifPicture& picture, const GifLzwOptions& options = {});

// Writes bytes to a file; false when it cannot.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
