// Start-up loading of "Ploxen.gif": the flag, the panels' surface, the cell textures cut from it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "display/BackgroundImage.h"
#include "display/GifDecoder.h"
#include "display/Playfield.h"
#include "shell/platform/Surface.h"

TEST(CutTileAtlas, EachTextureIsItsCellOfThePicturesRightColumn) {
  auto tell = [](int x, int y) { return uint32_t(x) << 16 | uint32_t(y); };  // where it lies
  std::vector<uint32_t> image, want;
  for (int i = 0; i < ImageWidth * ImageHeight; ++i)
    image.push_back(tell(i % ImageWidth, i / ImageWidth));
  std::fill(std::begin(TileAtlas), std::end(TileAtlas), 0xABCDEFu);
  CutTileAtlas(image.data());
  // Texture t's row r is picture row 20 (t - 1) + r from x 250; a stored row's spare room stays.
  for (int t = 1; t <= 8; ++t)
    for (int r = 0; r < CellSize; ++r)
      for (int c = 0; c < AtlasStride; ++c)
        want.push_back(c < CellSize ? tell(250 + c, 20 * (t - 1) + r) : 0xABCDEFu);
  EXPECT_TRUE(std::equal(want.begin(), want.end(), std::begin(TileAtlas), std::end(TileAtlas)));
}

// Start-up loading in a directory without the picture, then with the shipped one there.
TEST(BackgroundImage, LoadsThePictureOnlyWhenThereIsOne) {
  ImageLoaded = true;
  LoadBackgroundImage();
  EXPECT_FALSE(ImageLoaded);
  EXPECT_EQ(ImageSurface, nullptr);
  std::filesystem::copy_file(PLOXEN_PICTURE, "Ploxen.gif");
  LoadBackgroundImage();
  std::vector<uint32_t> want(size_t(ImageWidth) * ImageHeight);
  ASSERT_TRUE(LoadGifImage(PLOXEN_PICTURE, want.data(), ImageWidth, ImageHeight));
  EXPECT_TRUE(ImageLoaded);
  ASSERT_NE(ImageSurface, nullptr);
  EXPECT_TRUE(std::equal(want.begin(), want.end(), SurfacePixels(ImageSurface)));
  EXPECT_EQ(TileAtlas[0], want[TextureColumnX]);  // texture 1's top-left pixel
  FreeBackgroundImage();
  ImageLoaded = false;
}
