// Background picture: decoded once at start-up into a surface for the panels and the TileAtlas.
#include "display/BackgroundImage.h"

#include <algorithm>
#include <string>
#include <vector>

#include "display/GifDecoder.h"
#include "display/Playfield.h"
#include "shell/platform/DataFiles.h"
#include "shell/platform/Surface.h"

bool ImageLoaded = false;
Surface* ImageSurface = nullptr;

static const char ImageFileName[] = "Ploxen.gif";

void CutTileAtlas(const uint32_t* image) {
  for (int y = 0; y < 8 * CellSize; ++y) {
    const uint32_t* from = image + y * ImageWidth + TextureColumnX;
    uint32_t* to =
        &TileAtlas[(y / CellSize) * CellSize * AtlasStride + (y % CellSize) * AtlasStride];
    std::copy(from, from + CellSize, to);
  }
}

void LoadBackgroundImage() {
  // The decoded pixels are only needed until the surface and the TileAtlas hold them.
  std::vector<uint32_t> pixels(size_t(ImageWidth) * ImageHeight);
  std::string file = DataFilePath(ImageFileName);
  ImageLoaded = LoadGifImage(file.c_str(), pixels.data(), ImageWidth, ImageHeight);
  if (!ImageLoaded) {
    FreeBackgroundImage();  // no picture, no surface: the panels test for either
    return;
  }
  if (!ImageSurface) ImageSurface = CreateSurface(ImageWidth, ImageHeight);
  SurfacePutPixels(ImageSurface, 0, 0, pixels.data(), ImageWidth, 0, 0, ImageWidth, ImageHeight);
  CutTileAtlas(pixels.data());
}

void FreeBackgroundImage() {
  if (ImageSurface) DeleteSurface(ImageSurface);
  ImageSurface = nullptr;
}
