// Playfield pixels: plain and patterned cells, the Piece's redraw and the copies to the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Falling.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

namespace {

const uint32_t White = 0xFFFFFF, Grey = 0x808080, Black = 0;
const uint32_t Untouched = 0x123456;  // in no cell and no bevel

std::vector<uint32_t> PlayfieldCopy() {
  return std::vector<uint32_t>(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight);
}

void FillPlayfield(uint32_t pixel) {
  std::fill(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight, pixel);
}

// A texture whose every pixel says which texture, row and column it is.
void FillAtlas() {
  for (int t = 0; t < 8; ++t)
    for (int y = 0; y < CellSize; ++y)
      for (int x = 0; x < AtlasStride; ++x)
        TileAtlas[(t * CellSize + y) * AtlasStride + x] =
            x < CellSize ? uint32_t(t + 1) << 16 | y << 8 | x : 0xEEEEEE;
}

// Pixel (dx, dy) of a plain cell: grey bottom row, white top row and left
// edge, grey right edge, the face inside.
uint32_t PlainPixel(int dx, int dy, uint32_t face) {
  if (dy == 19) return Grey;
  if (dy == 0 || dx == 0) return White;
  return dx == 19 ? Grey : face;
}

struct PixelCase {
  int dx, dy;  // inside the cell at Playfield column 2, row 3 (pixels x 40..59, y 60..79)
  uint32_t pixel;
  const char* why;
};

TEST(DrawCell, APlainCellIsAFaceOfItsColourInAWhiteAndGreyBevel) {
  const PixelCase orange[] = {
      {0, 0, White, "top-left corner: top row"},
      {19, 0, White, "top-right corner: the top row is white to its end"},
      {0, 19, Grey, "bottom-left corner: the bottom row is grey from its start"},
      {0, 10, White, "left edge"},
      {19, 10, Grey, "right edge"},
      {10, 19, Grey, "bottom row"},
      {1, 1, 0xFF8000, "first face pixel: 0x0080FF swapped to red 255, green 128, blue 0"},
      {18, 18, 0xFF8000, "last face pixel"},
  };
  StartTestMatch();
  FillPlayfield(Untouched);
  DrawCell(2, 3, 5);
  for (const PixelCase& p : orange) EXPECT_EQ(PlayfieldAt(40 + p.dx, 60 + p.dy), p.pixel) << p.why;
  EXPECT_EQ(PlayfieldAt(39, 70), Untouched) << "left neighbour";
  EXPECT_EQ(PlayfieldAt(60, 70), Untouched) << "right neighbour";
  EXPECT_EQ(PlayfieldAt(50, 59), Untouched) << "cell above";
  EXPECT_EQ(PlayfieldAt(50, 80), Untouched) << "cell below";

  DrawCell(0, 19, 3);
  EXPECT_EQ(PlayfieldAt(10, 390), 0x8080FFu) << "light blue 0xFF8080 as a pixel";
  DrawCell(9, 0, 8);
  EXPECT_EQ(PlayfieldAt(190, 10), 0x00FF00u) << "garbage and penalty cells are bright green";
  DrawCell(9, 1, 9);
  EXPECT_EQ(PlayfieldAt(190, 30), 0x00FF00u) << "any other value: bright green";
}

TEST(DrawCell, PatternModeCopiesTheTypesTextureAndNothingElse) {
  StartTestMatch();
  FillAtlas();
  FillPlayfield(Untouched);
  PatternMode = 1;
  DrawCell(4, 7, 3);
  DrawCell(0, 0, 8);
  PatternMode = 0;
  for (int y = 0; y < CellSize; ++y)
    for (int x = 0; x < CellSize; ++x) {
      ASSERT_EQ(PlayfieldAt(80 + x, 140 + y), uint32_t(3) << 16 | y << 8 | x) << x << "," << y;
      ASSERT_EQ(PlayfieldAt(x, y), uint32_t(8) << 16 | y << 8 | x) << x << "," << y;
    }
  EXPECT_EQ(PlayfieldAt(100, 150), Untouched);
  EXPECT_EQ(PlayfieldAt(20, 10), Untouched);
  EXPECT_EQ(PlayfieldAt(10, 20), Untouched);
}

TEST(ClearCell, PaintsTheCellBlackInEitherMode) {
  StartTestMatch();
  for (uint8_t mode : {0, 1}) {
    SCOPED_TRACE(int(mode));
    FillAtlas();
    FillPlayfield(Untouched);
    PatternMode = mode;
    ClearCell(6, 12);
    PatternMode = 0;
    for (int y = 0; y < CellSize; ++y)
      for (int x = 0; x < CellSize; ++x) ASSERT_EQ(PlayfieldAt(120 + x, 240 + y), Black);
    EXPECT_EQ(PlayfieldAt(119, 250), Untouched);
    EXPECT_EQ(PlayfieldAt(140, 250), Untouched);
    EXPECT_EQ(PlayfieldAt(130, 239), Untouched);
    EXPECT_EQ(PlayfieldAt(130, 260), Untouched);
  }
}

TEST(RedrawPiece, CellsInTheHiddenRowsAreNeitherDrawnNorErased) {
  StartTestMatch();
  FillPlayfield(Untouched);
  // The bar turned counter-clockwise from its spawn: column 5, rows 0..3.
  PlacePiece(7, {{5, 2}, {4, 2}, {6, 2}, {7, 2}});
  MovingPiece[1] = {5, 3};
  MovingPiece[2] = {5, 1};
  MovingPiece[3] = {5, 0};
  std::vector<uint32_t> before = PlayfieldCopy();
  RedrawPiece();
  std::vector<uint32_t> after = PlayfieldCopy();
  for (int y = 0; y < PlayfieldHeight; ++y)
    for (int x = 0; x < PlayfieldWidth; ++x) {
      int col = x / 20 + 1, row = y / 20 + 2;
      uint32_t want = before[y * PlayfieldWidth + x];
      if (col == 5 && (row == 2 || row == 3)) want = PlainPixel(x % 20, y % 20, 0xC0C0C0);
      else if (row == 2 && (col == 4 || col == 6 || col == 7)) want = Black;
      ASSERT_EQ(after[y * PlayfieldWidth + x], want) << x << "," << y;
    }
  // A Piece wholly in the hidden rows, erased and drawn, changes no pixel.
  PlacePiece(7, {{5, 1}, {4, 1}, {6, 1}, {7, 1}});
  RedrawPiece();
  EXPECT_EQ(PlayfieldCopy(), after);
}

TEST(PresentPieceColumns, AMoveRightFromColumns4To6CopiesWindowX130To209Only) {
  StartTestMatch();
  EmptyPlayArea();
  PlacePiece(3, {{5, 10}, {4, 10}, {6, 10}, {5, 11}});
  FillPlayfield(Untouched);
  FillWindow(0xABCDEF);
  NullResetRecords();
  TapKey(KeyRight);
  NullDamage d = NullWindowDamage();
  EXPECT_EQ(d.count, 1);
  EXPECT_EQ(d.x0, 130);
  EXPECT_EQ(d.x1, 210);
  EXPECT_EQ(d.y0, 0);
  EXPECT_EQ(d.y1, 400);
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 0; x < WindowWidth; ++x) {
      uint32_t want = x >= 130 && x < 210 ? PlayfieldAt(x - 70, y) : 0xABCDEF;
      ASSERT_EQ(WindowAt(x, y), want) << x << "," << y;
    }
  // The old cell in column 4 is black on the window, the new one in column 7 drawn.
  EXPECT_EQ(WindowAt(130 + 10, 170), Black);
  EXPECT_EQ(WindowAt(190 + 10, 170), 0x8080FFu);
}

struct StripCase {
  const char* what;
  uint8_t type;
  std::vector<PieceCell> cells;
  int32_t* key;
  int x0, x1;
};

TEST(PresentPieceColumns, TheStripSpansTheOldAndTheNewCells) {
  const StripCase cases[] = {
      {"gravity step in the same columns", 3, {{5, 10}, {4, 10}, {6, 10}, {5, 11}}, nullptr,
       130, 190},
      {"bar lying in columns 1..4 moves left: blocked, nothing copied", 7,
       {{2, 10}, {1, 10}, {3, 10}, {4, 10}}, &KeyLeft, 0, 0},
      {"upright bar in column 6 turns into columns 4..7", 7, {{6, 10}, {6, 9}, {6, 11}, {6, 12}},
       &KeyRotRight, 130, 210},
      {"bar in columns 7..10 moves left", 7, {{8, 10}, {7, 10}, {9, 10}, {10, 10}}, &KeyLeft,
       170, 270},
  };
  for (const StripCase& s : cases) {
    SCOPED_TRACE(s.what);
    StartTestMatch(0, 0, 21);
    EmptyPlayArea();
    PlacePiece(s.type, s.cells);
    NullResetRecords();
    if (s.key) TapKey(*s.key);
    else TickAfter(0);
    NullDamage d = NullWindowDamage();
    EXPECT_EQ(d.x0, s.x0);
    EXPECT_EQ(d.x1, s.x1);
    if (s.x1 > 0) {
      EXPECT_EQ(d.count, 1);
      EXPECT_EQ(d.y1 - d.y0, 400);
    } else {
      EXPECT_EQ(d.count, 0);
    }
  }
}

TEST(PresentPieceColumns, OldAndNewCellsInColumns1And10CopyTheFullWidth) {
  StartTestMatch();
  PlacePiece(7, {{2, 10}, {1, 10}, {3, 10}, {4, 10}});
  MovingPiece[0] = {9, 12};
  MovingPiece[1] = {8, 12};
  MovingPiece[2] = {10, 12};
  MovingPiece[3] = {7, 12};
  NullResetRecords();
  CommitPiece();
  NullDamage d = NullWindowDamage();
  EXPECT_EQ(d.x0, 70);
  EXPECT_EQ(d.x1, 270);
}

TEST(PresentPlayfield, CopiesTheWholePlayfieldToWindowX70) {
  StartTestMatch();
  for (int i = 0; i < PlayfieldWidth * PlayfieldHeight; ++i) Playfield[i] = uint32_t(i);
  FillWindow(0xABCDEF);
  PresentPlayfield();
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 0; x < WindowWidth; ++x) {
      uint32_t want = x >= 70 && x < 270 ? uint32_t(y * PlayfieldWidth + x - 70) : 0xABCDEF;
      ASSERT_EQ(WindowAt(x, y), want) << x << "," << y;
    }
}

TEST(BlankPlayfield, BlackensWindowX70To269AndKeepsThePlayfield) {
  StartTestMatch(6, 4);
  std::vector<uint32_t> picture = PlayfieldCopy();
  ASSERT_TRUE(std::any_of(picture.begin(), picture.end(), [](uint32_t p) { return p != 0; }));
  FillWindow(0xABCDEF);
  BlankPlayfield();
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 0; x < WindowWidth; ++x) {
      uint32_t want = x >= 70 && x < 270 ? Black : 0xABCDEF;
      ASSERT_EQ(WindowAt(x, y), want) << x << "," << y;
    }
  EXPECT_EQ(PlayfieldCopy(), picture);
  PresentPlayfield();  // a later repaint shows the game exactly as it was
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 70; x < 270; ++x) ASSERT_EQ(WindowAt(x, y), picture[y * PlayfieldWidth + x - 70]);
}

TEST(RedrawBoard, ShowsEverySettledVisibleCellAndNothingElse) {
  StartTestMatch();
  EmptyPlayArea();
  Board[1][3] = 4;    // hidden
  Board[2][1] = 8;    // top-left visible cell
  Board[21][10] = 2;  // bottom-right visible cell
  FillPlayfield(Untouched);
  RedrawBoard();
  EXPECT_EQ(PlayfieldAt(10, 10), 0x00FF00u);
  EXPECT_EQ(PlayfieldAt(190, 390), 0x00C000u);
  EXPECT_EQ(PlayfieldAt(199, 399), Grey);
  int lit = int(std::count_if(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight,
                              [](uint32_t p) { return p != 0; }));
  EXPECT_EQ(lit, 2 * 400);
}

}  // namespace
