// The ghost's look on a scripted board. That it follows the Piece after every move, turn, fall
// and penalty rise is played by the golden replay ghost_follows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "display/Playfield.h"
#include "tests/TestMatch.h"

// An L of type 5 on rows 14..15 above a stack whose single cell in column 4, row 19 stops it
// four rows lower: it would land on cells (2..4, 18) and (2, 19).
static void ScriptedBoard(uint8_t ghost) {
  StartTestMatch();
  GhostMode = ghost;
  FillRow(21, {9});
  FillRow(20, {1, 2, 9, 10});
  Board[19][4] = 8;
  PlacePiece(5, {{3, 14}, {2, 14}, {4, 14}, {2, 15}});
  RedrawBoard();
  RedrawPiece();
}

// Board columns 1..6, rows 14..21 of the Playfield as a binary PPM.
static std::string CropPpm() {
  std::string out = "P6\n120 160\n255\n";
  for (int y = 240; y < 400; ++y)
    for (int x = 0; x < 120; ++x)
      for (int shift : {16, 8, 0}) out += char(Playfield[y * PlayfieldWidth + x] >> shift & 0xFF);
  return out;
}

// PLOXEN_WRITE_GOLDEN=1 writes the pictures anew; look at them before keeping them.
static void ExpectGolden(const char* name) {
  std::string path = std::string(PLOXEN_GOLDEN_DIR) + "/" + name;
  if (std::getenv("PLOXEN_WRITE_GOLDEN")) std::ofstream(path, std::ios::binary) << CropPpm();
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == CropPpm())
      << name << " differs from the Playfield";
}

// The plain ghost is an outline in the piece's colour around black on the empty landing cells.
TEST(Ghost, PlainModeOutlinesTheLandingCellsInThePiecesColour) {
  ScriptedBoard(0);
  ExpectGolden("ghost_off.ppm");
  ScriptedBoard(1);
  ExpectGolden("ghost_on.ppm");
}
