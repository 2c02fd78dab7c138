// Font services of a back end, below the wrapping and clipping that Surface.cpp does.
#pragma once
#include <cstdint>

#include "shell/platform/Surface.h"

// Width in pixels of len bytes of Windows-1252 text in a font.
int FontTextWidth(FontId font, const char* text, int len);

// Height of one line of a font, in pixels.
int FontLineHeight(FontId font);

// Draws len bytes of text with its top-left corner at (x, y) into a pixel
// buffer of w x h, clipped to (clipLeft, clipTop)..(clipRight, clipBottom).
void FontDrawText(uint32_t* pixels, int w, int h, FontId font, uint32_t colour, int x, int y,
                  const char* text, int len, TextRect clip);
