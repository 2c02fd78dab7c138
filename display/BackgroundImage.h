// The background picture "Ploxen.gif": panel backgrounds and cell textures of the patterned display.
#pragma once
#include <cstdint>

struct Surface;

constexpr int ImageWidth = 270;
constexpr int ImageHeight = 400;

// Where the eight cell textures lie in the picture: a column of 20 x 20 cells
// from the top, for cell values 1..8 in order.
constexpr int TextureColumnX = 250;

// True when "Ploxen.gif" was opened and decoded at start-up.
extern bool ImageLoaded;

// The decoded picture as a surface for the panels; nullptr until loaded.
extern Surface* ImageSurface;

// Start-up: decodes "Ploxen.gif", the working directory's or else the shipped one; when it opened,
// makes ImageSurface and cuts the TileAtlas. Sets ImageLoaded.
void LoadBackgroundImage();

// Shutdown: frees ImageSurface.
void FreeBackgroundImage();

// Fills the TileAtlas from a decoded 270 x 400 picture (rows y 0..159 at x 250..269).
void CutTileAtlas(const uint32_t* image);
