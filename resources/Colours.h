// Colours as the program states them, 0x00BBGGRR, and the one swap to the 0x00RRGGBB of pixels.
#pragma once
#include <cstdint>

// The MessageLog's text colours.
constexpr uint32_t BlackText = 0x000000;
constexpr uint32_t GreenText = 0x008000;
constexpr uint32_t RedText = 0x0000FF;
constexpr uint32_t BlueText = 0xFF0000;
constexpr uint32_t PurpleText = 0x800080;

constexpr uint32_t ColourToPixel(uint32_t colour) {
  return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
