// The ghost: where the falling Piece would land, in both display modes, after every change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "display/Playfield.h"
#include "tests/TestMatch.h"

static uint32_t PlayfieldAt(int x, int y) { return Playfield[y * PlayfieldWidth + x]; }

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
      for (int shift : {16, 8, 0}) out += char(PlayfieldAt(x, y) >> shift & 0xFF);
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

TEST(Ghost, PatternModeDarkensTheTextureToHalf) {
  ScriptedBoard(1);
  for (size_t i = 0; i < std::size(TileAtlas); ++i) TileAtlas[i] = uint32_t(i * 2654435761u) >> 8;
  PatternMode = 1;
  RedrawBoard();
  RedrawPiece();
  const uint32_t* orange = &TileAtlas[4 * CellSize * AtlasStride];  // texture of value 5
  for (int y = 0; y < CellSize; ++y)
    for (int x = 0; x < CellSize; ++x) {
      uint32_t texel = orange[y * AtlasStride + x];
      ASSERT_EQ(PlayfieldAt(40 + x, 320 + y), (texel >> 1) & 0x7F7F7Fu) << "ghost (3, 18)";
      ASSERT_EQ(PlayfieldAt(40 + x, 240 + y), texel) << "the Piece itself at (3, 14)";
    }
  PatternMode = 0;
}

// Every visible cell by two pixels, its top-left corner and its middle, against the landing
// place worked out apart from the program: dropped while every cell below is empty.
static void CheckPicture(const std::string& step) {
  CellList piece = Cells(DrawnPiece), ghost;
  auto fits = [&](int d) {
    return std::all_of(piece.begin(), piece.end(), [d](auto p) {
      return p.second + d < BoardRows && Board[p.second + d][p.first] == 0;
    });
  };
  int drop = 0;
  while (fits(drop + 1)) ++drop;
  for (auto [c, r] : piece) ghost.emplace_back(c, r + drop);
  uint32_t face = ColourToPixel(TypeColour(CurrentType));
  for (int r = 2; r <= 21; ++r)
    for (int c = 1; c <= 10; ++c) {
      auto has = [at = std::pair(c, r)](const CellList& l) {
        return std::find(l.begin(), l.end(), at) != l.end();
      };
      std::pair<uint32_t, uint32_t> want(0, 0);
      if (has(piece)) want = {0xFFFFFF, face};
      else if (Board[r][c]) want = {0xFFFFFF, ColourToPixel(TypeColour(Board[r][c]))};
      else if (has(ghost)) want = {face, 0};
      std::pair got(PlayfieldAt((c - 1) * 20, (r - 2) * 20),
                    PlayfieldAt((c - 1) * 20 + 10, (r - 2) * 20 + 10));
      ASSERT_EQ(got, want) << "cell " << c << "," << r << " after " << step;
    }
}

TEST(Ghost, FollowsEveryMoveTurnFallAndPenalty) {
  std::mt19937 random(15);
  const char* names[] = {"left", "right", "turn left", "turn right", "fall", "penalty"};
  for (int match = 0; match < 6; ++match) {
    StartTestMatch(uint32_t(match * 37), match % 3 * 3);
    GhostMode = 1;
    RedrawGhost();
    for (int step = 0; step < 400 && !MatchOver; ++step) {
      int op = int(random() % 6);
      if (op == 0) GameKeyDown(KeyLeft);
      if (op == 1) GameKeyDown(KeyRight);
      if (op == 2 || op == 3) {
        GameKeyDown(op == 2 ? KeyRotLeft : KeyRotRight);
        GameKeyUp(op == 2 ? KeyRotLeft : KeyRotRight);
      }
      if (op == 4) TickAfter(1001);
      if (op == 5) PendingPenalty += int32_t(random() % 3);  // rises at the next lock
      if (!MatchOver) CheckPicture(std::to_string(match) + "/" + names[op]);
    }
  }
}
