// Playfield pixels: plain and patterned cells, and the copies to the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "display/Playfield.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

// Values the code never paints: a Playfield pixel left alone, a window pixel no copy touched.
static const uint32_t Untouched = 0x123456, Outside = 0xABCDEF;

static uint32_t PlayfieldAt(int x, int y) { return Playfield[y * PlayfieldWidth + x]; }
static uint32_t* Window() { return SurfacePixels(WindowSurface()); }

TEST(DrawCell, APlainCellIsAFaceOfItsColourInAWhiteAndGreyBevel) {
  // dx, dy from the top-left corner of Playfield cell column 2, row 3: pixel (40, 60).
  struct PixelCase { int dx, dy; uint32_t pixel; const char* why; };
  const PixelCase orange[] = {
      {19, 0, 0xFFFFFF, "the top row is white to its end"},
      {0, 19, 0x808080, "the bottom row is grey from its start"},
      {0, 10, 0xFFFFFF, "left edge"},
      {19, 10, 0x808080, "right edge"},
      {1, 1, 0xFF8000, "first face pixel: 0x0080FF swapped to red 255, green 128, blue 0"},
      {18, 18, 0xFF8000, "last face pixel"},
      {-1, 10, Untouched, "left neighbour"},
      {10, 20, Untouched, "cell below"},
  };
  StartTestMatch();
  std::fill(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight, Untouched);
  DrawCell(2, 3, 5);
  for (const auto& p : orange) EXPECT_EQ(PlayfieldAt(40 + p.dx, 60 + p.dy), p.pixel) << p.why;
}

TEST(PresentPieceColumns, AMoveRightFromColumns4To6CopiesWindowX130To209Only) {
  StartTestMatch();
  PlacePiece(3, {{5, 10}, {4, 10}, {6, 10}, {5, 11}});
  std::fill(Window(), Window() + WindowWidth * WindowHeight, Outside);
  GameKeyDown(KeyRight);
  NullDamage d = NullWindowDamage();
  EXPECT_TRUE(d.count == 1 && d.x0 == 130 && d.x1 == 210 && d.y0 == 0 && d.y1 == 400);
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 0; x < WindowWidth; ++x)
      ASSERT_EQ(Window()[y * WindowWidth + x],
                x >= 130 && x < 210 ? PlayfieldAt(x - 70, y) : Outside) << x << "," << y;
}

TEST(BlankPlayfield, BlackensWindowX70To269AndKeepsThePlayfield) {
  StartTestMatch(6, 4);  // four garbage rows in the picture
  std::vector<uint32_t> picture(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight);
  std::fill(Window(), Window() + WindowWidth * WindowHeight, Outside);
  BlankPlayfield();
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 0; x < WindowWidth; ++x)
      ASSERT_EQ(Window()[y * WindowWidth + x], x >= 70 && x < 270 ? 0 : Outside) << x << "," << y;
  EXPECT_TRUE(std::equal(picture.begin(), picture.end(), Playfield));
}
