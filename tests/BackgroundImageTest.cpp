// Start-up loading of "Ploxen.gif": the flag, the panels' surface, the cell textures cut from it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "ImageTestSupport.h"
#include "display/BackgroundImage.h"
#include "display/Playfield.h"
#include "shell/platform/Surface.h"

// Every pixel of the test picture tells where it lies: red x, green y low
// bits, blue y high bits.
static uint32_t Tell(int x, int y) {
  return uint32_t(x) << 16 | uint32_t(y & 0xFF) << 8 | uint32_t(y >> 8);
}

static uint32_t AtlasPixel(int value, int row, int column) {
  return TileAtlas[(value - 1) * CellSize * AtlasStride + row * AtlasStride + column];
}

TEST(CutTileAtlas, EachTextureIsItsCellOfThePicturesRightColumn) {
  std::vector<uint32_t> image(size_t(ImageWidth) * ImageHeight);
  for (int y = 0; y < ImageHeight; ++y)
    for (int x = 0; x < ImageWidth; ++x) image[size_t(y) * ImageWidth + x] = Tell(x, y);
  std::fill(std::begin(TileAtlas), std::end(TileAtlas), 0xABCDEFu);
  CutTileAtlas(image.data());
  // Value 1's top-left pixel is the picture's (250, 0); value 8's bottom-right is (269, 159).
  EXPECT_EQ(AtlasPixel(1, 0, 0), Tell(250, 0));
  EXPECT_EQ(AtlasPixel(8, 19, 19), Tell(269, 159));
  EXPECT_EQ(AtlasPixel(3, 7, 12), Tell(262, 47));
  for (int v = 1; v <= 8; ++v)
    for (int r = 0; r < CellSize; ++r)
      for (int c = 0; c < AtlasStride; ++c) {
        // The stored rows' spare room past the texture is left alone.
        uint32_t want = c < CellSize ? Tell(250 + c, 20 * (v - 1) + r) : 0xABCDEFu;
        ASSERT_EQ(AtlasPixel(v, r, c), want) << "value " << v << " row " << r << " column " << c;
      }
}

// Runs start-up loading in a directory of its own, with or without a picture.
class BackgroundImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ploxen-image-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    home_ = here;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    std::fill(std::begin(TileAtlas), std::end(TileAtlas), 0u);
  }
  void TearDown() override {
    FreeBackgroundImage();
    ImageLoaded = false;
    std::remove((dir_ + "/Ploxen.gif").c_str());
    EXPECT_EQ(chdir(home_.c_str()), 0);
    rmdir(dir_.c_str());
  }
  std::string dir_, home_;
};

TEST_F(BackgroundImageTest, WithoutThePictureNothingIsLoaded) {
  ImageLoaded = true;
  LoadBackgroundImage();
  EXPECT_FALSE(ImageLoaded);
  EXPECT_EQ(ImageSurface, nullptr);
  EXPECT_TRUE(
      std::all_of(std::begin(TileAtlas), std::end(TileAtlas), [](uint32_t v) { return v == 0; }));
}

TEST_F(BackgroundImageTest, ThePictureFillsTheSurfaceAndTheTextures) {
  GifPicture p =
      MakePicture(ImageWidth, ImageHeight, 256, [](int x, int y) { return x * 3 + y * 7; });
  ASSERT_TRUE(WriteBytes("Ploxen.gif", EncodeGif(p)));
  LoadBackgroundImage();
  ASSERT_TRUE(ImageLoaded);
  ASSERT_NE(ImageSurface, nullptr);
  ASSERT_EQ(SurfaceWidth(ImageSurface), ImageWidth);
  ASSERT_EQ(SurfaceHeight(ImageSurface), ImageHeight);
  std::vector<uint32_t> want = ExpectedPixels(p);
  EXPECT_TRUE(std::equal(want.begin(), want.end(), SurfacePixels(ImageSurface)));
  // Texture 5 row 4 column 6 is picture pixel (256, 84).
  EXPECT_EQ(AtlasPixel(5, 4, 6), want[84 * ImageWidth + 256]);
}

TEST_F(BackgroundImageTest, ADamagedPictureStillLoadsWhatItHas) {
  GifPicture p = MakePicture(ImageWidth, ImageHeight, 256, [](int x, int y) { return x ^ y; });
  std::vector<uint8_t> file = EncodeGif(p);
  file.resize(file.size() / 3);
  ASSERT_TRUE(WriteBytes("Ploxen.gif", file));
  LoadBackgroundImage();
  EXPECT_TRUE(ImageLoaded);
  ASSERT_NE(ImageSurface, nullptr);
  const uint32_t* got = SurfacePixels(ImageSurface);
  EXPECT_EQ(got[0], p.colours[p.indices[0]]);
  EXPECT_EQ(got[ImageWidth * ImageHeight - 1], 0u);  // never reached: left black
}
