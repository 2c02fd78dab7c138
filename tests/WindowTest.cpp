// The main window's procedure and loop on the headless back end: keys, activation, idling.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "display/MessageLog.h"
#include "display/Playfield.h"
#include "resources/Identifiers.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Surface.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/TestMatch.h"

// Each case runs in a level-0 Solo match (the test main gives it a directory of its own).
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { StartTestMatch(3, 0, 0); }
};

TEST_F(WindowTest, FunctionKeysWinOverGameKeysAndReleasesAndF9CountWithNoMatchRunning) {
  KeyLeft = 63;  // F5's code
  int col = DrawnPiece[0].col;
  WindowProcedure({MsgKeyDown, 63, 0});
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{NetworkDialog}) << "F5 opens its dialog";
  EXPECT_EQ(DrawnPiece[0].col, col) << "and never reaches the game";
  MatchOver = 1, SoftDropActive = 1, SoftDropAllowed = 0, RotationHeld = 1;
  WindowProcedure({MsgKeyUp, KeyDown, 0});
  WindowProcedure({MsgKeyUp, KeyRotLeft, 0});
  EXPECT_EQ(std::vector({SoftDropActive, SoftDropAllowed, RotationHeld}),
            std::vector<uint8_t>({0, 1, 0}));
  CheckMenuCommand(40010, true);
  WindowProcedure({MsgKeyDown, 67, 0});  // F9: the patterns stay off without the image
  EXPECT_EQ(std::pair(int(PatternMode), MenuCommandChecked(40010)), std::pair(0, false));
}

// The loop waits instead of spinning, yet every gravity step still comes on time.
TEST_F(WindowTest, IdleWaitLastsUntilTheNextStepIsDue) {
  const struct { uint32_t advance; uint8_t softDrop, over, start; int wait; } steps[] = {
      {0, 0, 0, 0, 1001}, {1000, 0, 0, 0, 1}, {1, 0, 0, 0, 0},  // a step every 1000 ms at level 0
      {-1001u, 1, 0, 0, 0}, {0, 1, 1, 0, -1}, {0, 1, 1, 1, 0}};
  for (const auto& s : steps) {
    NullAdvanceClock(s.advance);
    SoftDropActive = s.softDrop, MatchOver = s.over, StartRequest = s.start;
    EXPECT_EQ(IdleWait(), s.wait) << "step " << &s - steps;
  }
}

TEST_F(WindowTest, IdleLoopStepsThePieceOncePerInterval) {
  int row = DrawnPiece[0].row, code = 0;
  uint32_t end = TickCount() + 3003;
  for (int pass = 0; pass < 10 && TickCount() < end; ++pass) ASSERT_TRUE(RunLoopPass(&code));
  EXPECT_EQ(std::pair(DrawnPiece[0].row, TickCount()), std::pair(row + 3, end)) << "each on time";
}

static const int32_t PauseKey = 69, PauseCommand = 40011, GhostCommand = 40012;

// An inactive window blanks the Playfield and stops polling; so does a pause, through
// anything but its end; a network match cannot be paused. What a pause leaves as it was is
// the replay window_pause.
TEST_F(WindowTest, InactivityOrAPauseBlanksThePlayfieldUntilReactivationOrResumption) {
  // A pixel inside the first square of the Piece (Board row 2 is the Playfield's top): its
  // place in the Playfield, its colour there, and where the window shows it.
  const int x = (DrawnPiece[0].col - 1) * 20 + 5, y = (DrawnPiece[0].row - 2) * 20 + 5;
  const uint32_t piece = Playfield[y * PlayfieldWidth + x];
  const uint32_t* shown = SurfacePixels(WindowSurface()) + y * WindowWidth + PlayfieldX + x;
  ASSERT_NE(piece, 0u);
  WindowProcedure({MsgActivate, 0, 0});
  EXPECT_EQ(std::vector({uint32_t(PollFlag), *shown, Playfield[y * PlayfieldWidth + x]}),
            std::vector({0u, 0u, piece}));
  WindowProcedure({MsgActivate, 1, 0});
  EXPECT_EQ(*shown, piece);
  WindowProcedure({MsgCommand, PauseCommand, 0});
  EXPECT_EQ(std::pair(*shown, std::string(MessageLine(0))), std::pair(0u, std::string("Pause")));
  const struct { Message m; const char* what; } events[] = {
      {{MsgPaint, 0, 0}, "repaint"},          {{MsgActivate, 0, 0}, "deactivation"},
      {{MsgActivate, 1, 0}, "reactivation"},  {{MsgKeyDown, 28, 0}, "chat dialog closed"},
      {{MsgKeyDown, 67, 0}, "F9"},            {{MsgCommand, GhostCommand, 0}, "ghost on"},
      {{MsgKeyDown, 30, 0}, "a key that is not a game key"}};
  for (const auto& e : events) {
    WindowProcedure(e.m);
    EXPECT_EQ(std::pair(*shown, uint32_t(Paused)), std::pair(0u, 1u)) << e.what;
  }
  WindowProcedure({MsgKeyDown, PauseKey, 0});
  EXPECT_EQ(std::pair(*shown, uint32_t(PollFlag)), std::pair(piece, 1u));
  EXPECT_STREQ(MessageLine(0), "Reprise");
  GameMode = Server;
  WindowProcedure({MsgKeyDown, PauseKey, 0});
  EXPECT_EQ(std::vector({uint32_t(Paused), uint32_t(PollFlag), MessageColour(0)}),
            std::vector({0u, 1u, 0x0000FFu}));
  EXPECT_TRUE(std::strstr(MessageLine(0), "pause")) << MessageLine(0);
  GameMode = Solo;
}

TEST_F(WindowTest, GhostToggleMarksTheMenuStoresTheSettingAndShowsAtOnce) {
  // The Piece falls from its spawn onto the empty floor: its first cell by 21 less its lowest row.
  int lowest = 0;
  for (const PieceCell& c : DrawnPiece) lowest = std::max(lowest, int(c.row));
  const uint32_t* ghost = SurfacePixels(WindowSurface()) + PlayfieldX +
                          (DrawnPiece[0].row + 19 - lowest) * 20 * WindowWidth +
                          (DrawnPiece[0].col - 1) * 20;
  const uint32_t face = ColourToPixel(TypeColour(CurrentType));
  for (uint32_t on : {1u, 0u}) {
    WindowProcedure({MsgCommand, GhostCommand, 0});
    std::ifstream in("Ploxen.ini");
    const std::string ini(std::istreambuf_iterator<char>(in), {});
    const bool stored = ini.find("Fantome=" + std::to_string(on)) != std::string::npos;
    EXPECT_EQ(std::vector({uint32_t(MenuCommandChecked(GhostCommand)), uint32_t(stored), *ghost}),
              std::vector({on, 1u, on ? face : 0u}));
  }
}
