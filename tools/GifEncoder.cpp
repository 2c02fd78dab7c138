// GIF89a writing: LZW with clear codes, framed in the fixed layout the game's decoder reads.
#include "tools/GifEncoder.h"

#include <algorithm>
#include <cstdio>

static const int MaxCodes = 4096;

void PutCode(GifBitWriter& w, int code, int width) {
  w.pending |= uint32_t(code) << w.pendingBits;
  w.pendingBits += width;
  while (w.pendingBits >= 8) {
    w.bytes.push_back(uint8_t(w.pending));
    w.pending >>= 8;
    w.pendingBits -= 8;
  }
}

std::vector<uint8_t> FinishCodes(GifBitWriter& w) {
  if (w.pendingBits > 0) w.bytes.push_back(uint8_t(w.pending));
  w.pending = 0;
  w.pendingBits = 0;
  return std::move(w.bytes);
}

int ColourTableBits(size_t colours) {
  int n = 0;
  while (n < 7 && (size_t(2) << n) < colours) ++n;
  return n;
}

int MinCodeSizeFor(size_t colours) { return std::max(2, ColourTableBits(colours) + 1); }

// Encoder side of the code table: string (code, next byte) -> code.
struct LzwTable {
  std::vector<int16_t> codes = std::vector<int16_t>(MaxCodes * 256, -1);
  int nextFree = 0, width = 0;
};

// The first clear code goes at the current width; the decoder reads any
// further ones at the restarted width.
static void RestartTable(LzwTable& t, GifBitWriter& w, int minCodeSize, int clearRun) {
  int clear = 1 << minCodeSize;
  for (int i = 0; i < clearRun; ++i) {
    PutCode(w, clear, i == 0 && t.width > 0 ? t.width : minCodeSize + 1);
  }
  std::fill(t.codes.begin(), t.codes.end(), int16_t(-1));
  t.nextFree = clear + 2;
  t.width = minCodeSize + 1;
}

// Writes one string's code. The width grows once the decoder, one entry
// behind the encoder, will have made the entry that needs the wider code.
static void EmitCode(LzwTable& t, GifBitWriter& w, int code) {
  PutCode(w, code, t.width);
  if (t.nextFree >= (1 << t.width) && t.width < 12) ++t.width;
}

std::vector<uint8_t> CompressLzw(const std::vector<uint8_t>& indices, int minCodeSize,
                                 const GifLzwOptions& options) {
  GifBitWriter w;
  LzwTable t;
  int clear = 1 << minCodeSize;
  if (options.leadingClear)
    RestartTable(t, w, minCodeSize, options.clearRun);
  else
    RestartTable(t, w, minCodeSize, 0);
  int fullCodes = 0;
  int current = indices.empty() ? -1 : indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    int key = current * 256 + indices[i];
    if (t.codes[key] >= 0) {
      current = t.codes[key];
      continue;
    }
    EmitCode(t, w, current);
    if (t.nextFree < MaxCodes)
      t.codes[key] = int16_t(t.nextFree++);
    else
      ++fullCodes;
    bool full = t.nextFree == MaxCodes;
    bool lateClear =
        !options.clearWhenFull && options.codesAfterFull > 0 && fullCodes >= options.codesAfterFull;
    if ((full && options.clearWhenFull) || lateClear) {
      RestartTable(t, w, minCodeSize, options.clearRun);
      fullCodes = 0;
    }
    current = indices[i];
  }
  if (current >= 0) EmitCode(t, w, current);
  PutCode(w, clear + 1, t.width);
  return FinishCodes(w);
}

static void PutWord(std::vector<uint8_t>& out, int v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t(v >> 8));
}

// Starts the file: signature, screen descriptor and global colour table.
static void PutScreen(std::vector<uint8_t>& out, const GifPicture& p) {
  out = {'G', 'I', 'F', '8', '9', 'a'};
  PutWord(out, p.width);
  PutWord(out, p.height);
  int n = ColourTableBits(p.colours.size());
  out.push_back(uint8_t(0x80 | n << 4 | n));  // global table, colour resolution, size
  out.push_back(0);                           // background colour index
  out.push_back(0);                           // square pixels
  for (int i = 0; i < (2 << n); ++i) {
    uint32_t c = i < int(p.colours.size()) ? p.colours[i] : 0;
    out.push_back(uint8_t(c >> 16));
    out.push_back(uint8_t(c >> 8));
    out.push_back(uint8_t(c));
  }
}

// No disposal, no delay, no transparent colour: the extension is there for
// the layout, eight bytes between the colour table and the image.
static void PutControlAndDescriptor(std::vector<uint8_t>& out, const GifPicture& p) {
  const uint8_t control[] = {0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00};
  out.insert(out.end(), control, control + sizeof control);
  out.push_back(0x2C);
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, p.width);
  PutWord(out, p.height);
  out.push_back(0);  // no local table, not interlaced
}

std::vector<uint8_t> WrapGif(const GifPicture& picture, int minCodeSize,
                             const std::vector<uint8_t>& lzwData, int subBlockSize) {
  std::vector<uint8_t> out;
  PutScreen(out, picture);
  PutControlAndDescriptor(out, picture);
  out.push_back(uint8_t(minCodeSize));
  int block = std::clamp(subBlockSize, 1, 255);
  for (size_t at = 0; at < lzwData.size(); at += size_t(block)) {
    size_t n = std::min(lzwData.size() - at, size_t(block));
    out.push_back(uint8_t(n));
    out.insert(out.end(), lzwData.begin() + long(at), lzwData.begin() + long(at + n));
  }
  out.push_back(0x00);  // block terminator
  out.push_back(0x3B);  // trailer
  return out;
}

std::vector<uint8_t> EncodeGif(const GifPicture& picture, const GifLzwOptions& options) {
  int m = MinCodeSizeFor(picture.colours.size());
  return WrapGif(picture, m, CompressLzw(picture.indices, m, options), options.subBlockSize);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
