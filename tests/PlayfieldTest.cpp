// Playfield pixels and the copies to the window. How a cell is drawn, bevel and face, is pinned
// pixel for pixel by the ghost's golden pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/Playfield.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

// A value the code never paints: a window pixel no copy touched.
static const uint32_t Outside = 0xABCDEF;

static uint32_t PlayfieldAt(int x, int y) { return Playfield[y * PlayfieldWidth + x]; }
static uint32_t* Window() { return SurfacePixels(WindowSurface()); }

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
