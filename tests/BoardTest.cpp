// The Board's fit test and the Piece's shifts and turns about cell 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Falling.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

namespace {

const std::vector<PieceCell> BarAtSpawn = {{5, 2}, {4, 2}, {6, 2}, {7, 2}};
const std::vector<PieceCell> BarUprightInColumn1 = {{1, 10}, {1, 9}, {1, 11}, {1, 12}};
const std::vector<PieceCell> BarUprightInColumn10 = {{10, 10}, {10, 9}, {10, 11}, {10, 12}};
const std::vector<PieceCell> BarOnFloor = {{5, 21}, {4, 21}, {6, 21}, {7, 21}};
const std::vector<PieceCell> BarInRow1 = {{5, 1}, {4, 1}, {6, 1}, {7, 1}};

struct TurnCase {
  const char* what;
  std::vector<PieceCell> start;
  int32_t* key;
  CellList expected;  // empty: the turn must not fit
  int blockCol, blockRow;  // a settled cell in the way, when not 0
};

const TurnCase TurnCases[] = {
    {"bar counter-clockwise reaches the hidden rows", BarAtSpawn, &KeyRotLeft,
     {{5, 2}, {5, 3}, {5, 1}, {5, 0}}, 0, 0},
    {"bar clockwise stands in rows 1..4", BarAtSpawn, &KeyRotRight,
     {{5, 2}, {5, 1}, {5, 3}, {5, 4}}, 0, 0},
    {"hidden row 0 occupied", BarAtSpawn, &KeyRotLeft, {}, 5, 0},
    {"settled cell below", BarAtSpawn, &KeyRotRight, {}, 5, 4},
    {"left wall, clockwise", BarUprightInColumn1, &KeyRotRight, {}, 0, 0},
    {"left wall, counter-clockwise", BarUprightInColumn1, &KeyRotLeft, {}, 0, 0},
    {"right wall, clockwise", BarUprightInColumn10, &KeyRotRight, {}, 0, 0},
    {"right wall, counter-clockwise", BarUprightInColumn10, &KeyRotLeft, {}, 0, 0},
    {"floor, clockwise", BarOnFloor, &KeyRotRight, {}, 0, 0},
    {"floor, counter-clockwise", BarOnFloor, &KeyRotLeft, {}, 0, 0},
    {"above row 0, outside the grid", BarInRow1, &KeyRotLeft, {}, 0, 0},
};

TEST(BoardRotation, TurnsAboutCellZeroOrIsUndoneWhole) {
  for (const TurnCase& t : TurnCases) {
    SCOPED_TRACE(t.what);
    StartTestMatch();
    EmptyPlayArea();
    if (t.blockCol) Board[t.blockRow][t.blockCol] = 8;
    PlacePiece(7, t.start);
    CellList before = Cells(DrawnPiece);
    std::vector<uint32_t> picture(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight);
    TapKey(*t.key);
    CellList want = t.expected.empty() ? before : t.expected;
    EXPECT_EQ(Cells(DrawnPiece), want);
    EXPECT_EQ(Cells(MovingPiece), want);
    if (t.expected.empty()) {
      // An undone turn draws nothing and copies nothing to the window.
      EXPECT_TRUE(std::equal(picture.begin(), picture.end(), Playfield));
      EXPECT_EQ(NullWindowDamage().count, 0);
    }
  }
}

TEST(BoardRotation, FourTurnsOrATurnAndItsOppositeRestoreEveryType) {
  for (uint8_t type = 2; type <= 7; ++type) {
    SCOPED_TRACE(int(type));
    SpawnCells(type, MovingPiece);
    for (PieceCell& c : MovingPiece) c.row += 8;  // away from every edge
    CellList start = Cells(MovingPiece);
    for (Turn t : {CounterClockwise, Clockwise}) {
      RotatePiece(t);
      EXPECT_NE(Cells(MovingPiece), start);
      EXPECT_EQ(MovingPiece[0].col, start[0].first);  // cell 0 is the centre
      EXPECT_EQ(MovingPiece[0].row, start[0].second);
      for (int i = 0; i < 3; ++i) RotatePiece(t);
      EXPECT_EQ(Cells(MovingPiece), start);
    }
    RotatePiece(Clockwise);
    RotatePiece(CounterClockwise);
    EXPECT_EQ(Cells(MovingPiece), start);
  }
}

TEST(BoardRotation, ClockwiseMovesACellRightOfTheCentreBelowIt) {
  MovingPiece[0] = {5, 10};
  MovingPiece[1] = {6, 10};
  MovingPiece[2] = {5, 9};
  MovingPiece[3] = {3, 10};
  RotatePiece(Clockwise);
  EXPECT_EQ(Cells(MovingPiece), (CellList{{5, 10}, {5, 11}, {6, 10}, {5, 8}}));
}

TEST(BoardShift, WallsAndSettledCellsStopAShift) {
  StartTestMatch();
  EmptyPlayArea();
  PlacePiece(7, BarUprightInColumn1);
  TapKey(KeyLeft);
  EXPECT_EQ(DrawnPiece[0].col, 1);
  EXPECT_EQ(MovingPiece[0].col, 1);
  TapKey(KeyRight);
  EXPECT_EQ(Cells(DrawnPiece), (CellList{{2, 10}, {2, 9}, {2, 11}, {2, 12}}));

  PlacePiece(7, BarUprightInColumn10);
  TapKey(KeyRight);
  EXPECT_EQ(Cells(DrawnPiece), (CellList{{10, 10}, {10, 9}, {10, 11}, {10, 12}}));

  Board[12][9] = 3;  // one settled cell beside the bar's lowest cell
  TapKey(KeyLeft);
  EXPECT_EQ(DrawnPiece[3].col, 10);
}

TEST(BoardFit, CellsOutsideTheGridCountAsOccupied) {
  StartTestMatch();
  EmptyPlayArea();
  const PieceCell outside[] = {{-1, 5}, {12, 5}, {5, -1}, {5, 24}, {5, 23}};
  for (const PieceCell& o : outside) {
    PlacePiece(3, {{5, 10}, {4, 10}, {6, 10}, {5, 11}});
    EXPECT_TRUE(PieceFits());
    MovingPiece[3] = o;
    // Row 23 is empty yet out of reach: the floor in row 22 stops every Piece first.
    EXPECT_EQ(PieceFits(), o.row == 23) << o.col << "," << o.row;
  }
}

TEST(BoardSpawn, EveryTypeAppearsInColumns4To7AndRows2To3) {
  for (uint8_t type = 1; type <= 7; ++type) {
    SCOPED_TRACE(int(type));
    PieceCell cells[4];
    SpawnCells(type, cells);
    EXPECT_EQ(cells[0].col, 5);
    EXPECT_EQ(cells[0].row, 2);
    int joined = 0;
    for (int i = 0; i < 4; ++i) {
      EXPECT_GE(cells[i].col, 4);
      EXPECT_LE(cells[i].col, 7);
      EXPECT_GE(cells[i].row, 2);
      EXPECT_LE(cells[i].row, 3);
      for (int j = 0; j < 4; ++j) {
        int d = std::abs(cells[i].col - cells[j].col) + std::abs(cells[i].row - cells[j].row);
        if (j != i) {
          EXPECT_NE(d, 0);
        }
        joined += d == 1;
      }
    }
    EXPECT_GE(joined, 6);  // four cells in one piece touch along at least three edges
  }
  NextType = 7;
  UpdateNextPreview();
  EXPECT_EQ(Cells(NextPreview), (CellList{{2, 35}, {1, 35}, {3, 35}, {4, 35}}));
}

}  // namespace
