// The Piece's turns about cell 0, undone whole where they do not fit.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/Playfield.h"
#include "shell/platform/null/NullControl.h"
#include "tests/TestMatch.h"

TEST(BoardRotation, TurnsAboutCellZeroOrIsUndoneWhole) {
  // A bar with cell 0 second from its left or top end; no cells after the turn: it is undone.
  struct TurnCase { const char* what; std::vector<PieceCell> bar; int32_t* key; CellList turned; };
  const TurnCase cases[] = {
      {"counter-clockwise into the hidden rows", {{5, 2}, {4, 2}, {6, 2}, {7, 2}}, &KeyRotLeft,
       {{5, 2}, {5, 3}, {5, 1}, {5, 0}}},
      {"clockwise", {{5, 2}, {4, 2}, {6, 2}, {7, 2}}, &KeyRotRight,
       {{5, 2}, {5, 1}, {5, 3}, {5, 4}}},
      {"left wall", {{1, 10}, {1, 9}, {1, 11}, {1, 12}}, &KeyRotRight, {}},
      {"right wall", {{10, 10}, {10, 9}, {10, 11}, {10, 12}}, &KeyRotLeft, {}},
      {"floor", {{5, 21}, {4, 21}, {6, 21}, {7, 21}}, &KeyRotRight, {}},
      {"above row 0, outside the grid", {{5, 1}, {4, 1}, {6, 1}, {7, 1}}, &KeyRotLeft, {}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    StartTestMatch();
    PlacePiece(7, t.bar);
    CellList want = t.turned.empty() ? Cells(DrawnPiece) : t.turned;
    std::vector<uint32_t> picture(Playfield, Playfield + PlayfieldWidth * PlayfieldHeight);
    GameKeyDown(*t.key);
    EXPECT_EQ(Cells(DrawnPiece), want);
    EXPECT_EQ(Cells(MovingPiece), want);
    // An undone turn draws nothing and copies nothing to the window.
    EXPECT_EQ(NullWindowDamage().count, t.turned.empty() ? 0 : 1);
    EXPECT_EQ(std::equal(picture.begin(), picture.end(), Playfield), t.turned.empty());
  }
}
