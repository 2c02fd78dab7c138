// The small GIF decoder behind the background picture: one fixed file layout, LZW image data.
#pragma once
#include <cstdint>
#include <iosfwd>

// Decodes the GIF file into width x height pixels (0x00RRGGBB, rows top-down);
// false when the file cannot be opened, and then nothing is touched.
bool LoadGifImage(const char* fileName, uint32_t* pixels, int width, int height);

// Decodes a GIF stream as LoadGifImage does; returns how many pixels it wrote.
// Decoding ends at the end code, a full buffer, the end of the data or a corrupt code.
int DecodeGif(std::istream& in, uint32_t* pixels, int width, int height);
