// The ghost: where the falling Piece would land, in both display modes, after every change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
  std::string path = std::string(PLOXEN_GOLDEN_DIR) + "/" + name, actual = CropPpm();
  if (std::getenv("PLOXEN_WRITE_GOLDEN")) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f && std::fwrite(actual.data(), 1, actual.size(), f) == actual.size());
    std::fclose(f);
  }
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr) << path;
  std::string stored(actual.size() + 1, '\0');
  stored.resize(std::fread(stored.data(), 1, stored.size(), f));
  std::fclose(f);
  EXPECT_TRUE(stored == actual) << name << " differs from the Playfield";
}

TEST(Ghost, PlainModeOutlinesTheLandingCellsInThePiecesColour) {
  ScriptedBoard(0);
  ExpectGolden("ghost_off.ppm");
  ScriptedBoard(1);
  ExpectGolden("ghost_on.ppm");
  EXPECT_EQ(PlayfieldAt(20, 320), 0xFF8000u) << "top-left of (2, 18): orange frame";
  EXPECT_EQ(PlayfieldAt(79, 339), 0xFF8000u) << "bottom-right of (4, 18)";
  EXPECT_EQ(PlayfieldAt(30, 350), 0u) << "inside of (2, 19) stays black";
  EXPECT_EQ(PlayfieldAt(70, 350), 0x00FF00u) << "(4, 19) is the stack's cell, face unchanged";
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

// The landing place worked out apart from the program: drop while every cell is empty.
static std::vector<std::pair<int, int>> ExpectedGhost() {
  auto empty = [](int c, int r) { return r < BoardRows && Board[r][c] == 0; };
  int d = 0;
  for (;; ++d) {
    bool fits = true;
    for (const PieceCell& p : DrawnPiece) fits = fits && empty(p.col, p.row + d + 1);
    if (!fits) break;
  }
  std::vector<std::pair<int, int>> out;
  for (const PieceCell& p : DrawnPiece) out.emplace_back(p.col, p.row + d);
  return out;
}

// Every visible cell by two pixels: its top-left corner and its middle.
static void CheckPicture(const std::string& step) {
  CellList piece = Cells(DrawnPiece);
  auto ghost = ExpectedGhost();
  uint32_t face = ColourToPixel(TypeColour(CurrentType));
  for (int r = 2; r <= 21; ++r)
    for (int c = 1; c <= 10; ++c) {
      std::pair<int, int> at(c, r);
      uint32_t corner = PlayfieldAt((c - 1) * 20, (r - 2) * 20);
      uint32_t middle = PlayfieldAt((c - 1) * 20 + 10, (r - 2) * 20 + 10);
      std::pair<uint32_t, uint32_t> want(0, 0);
      if (std::find(piece.begin(), piece.end(), at) != piece.end()) want = {0xFFFFFF, face};
      else if (Board[r][c]) want = {0xFFFFFF, ColourToPixel(TypeColour(Board[r][c]))};
      else if (std::find(ghost.begin(), ghost.end(), at) != ghost.end()) want = {face, 0};
      ASSERT_EQ(std::pair(corner, middle), want) << "cell " << c << "," << r << " after " << step;
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
        int32_t key = op == 2 ? KeyRotLeft : KeyRotRight;
        GameKeyDown(key);
        GameKeyUp(key);
      }
      if (op == 4) TickAfter(1001);
      if (op == 5) PendingPenalty += int32_t(random() % 3);  // rises at the next lock
      if (!MatchOver) CheckPicture(std::to_string(match) + "/" + names[op]);
    }
  }
}
