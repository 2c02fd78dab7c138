// The main window's procedure and loop on the headless back end: keys, commands, activation, idling.
#include <gtest/gtest.h>

#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "resources/Resources.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Clock.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Surface.h"
#include "shell/platform/Window.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/TestMatch.h"

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/ploxen-window-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    PollFlag = 1;
    KeyLeft = 331, KeyRight = 333, KeyDown = 336, KeyRotLeft = 29, KeyRotRight = 328;
    Message m;
    while (TakeMessage(&m)) {
    }
    NullTakeOpenedDialogs();
    StartTestMatch(3, 0, 0);
  }
  void Key(int code) { WindowProcedure({MsgKeyDown, code, 0}); }
  void KeyUp(int code) { WindowProcedure({MsgKeyUp, code, 0}); }
};

TEST_F(WindowTest, GameKeysMoveThePieceOnlyWhileAMatchRuns) {
  int col = DrawnPiece[0].col;
  Key(331);
  EXPECT_EQ(DrawnPiece[0].col, col - 1);
  MatchOver = 1;
  Key(333);
  EXPECT_EQ(DrawnPiece[0].col, col - 1);
}

TEST_F(WindowTest, WindowKeysWinOverAGameKeyOfTheSameCode) {
  KeyLeft = 63;  // F5's code
  int col = DrawnPiece[0].col;
  Key(63);
  EXPECT_EQ(DrawnPiece[0].col, col) << "F5 must not reach the game";
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{106}) << "F5 opens the network dialog";
}

TEST_F(WindowTest, FunctionKeysActDuringAMatch) {
  // F2 asks for the parameters even in a running match; cancelled, the match goes on.
  Key(60);
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{103});
  EXPECT_EQ(MatchOver, 0);
  int sound = SoundOn;
  Key(65);
  EXPECT_EQ(SoundOn, !sound);
  EXPECT_EQ(MenuCommandChecked(CmdSound), SoundOn != 0);
}

TEST_F(WindowTest, KeypadEnterIsNotTheChatKeyButAGameKey) {
  KeyRight = 284;
  int col = DrawnPiece[0].col;
  Key(284);
  EXPECT_EQ(DrawnPiece[0].col, col + 1);
}

TEST_F(WindowTest, KeyReleaseCountsWithNoMatchRunning) {
  Key(336);
  EXPECT_EQ(SoftDropActive, 1);
  MatchOver = 1;
  RotationHeld = 1;
  KeyUp(336);
  KeyUp(29);
  EXPECT_EQ(SoftDropActive, 0);
  EXPECT_EQ(SoftDropAllowed, 1);
  EXPECT_EQ(RotationHeld, 0);
}

TEST_F(WindowTest, MenuCommandsTakeTheFunctionKeysWay) {
  WindowProcedure({MsgCommand, CmdSolo, 0});
  EXPECT_EQ(NullTakeOpenedDialogs(), std::vector<int>{103});
  int music = MusicOn;
  WindowProcedure({MsgCommand, CmdMusic, 0});
  EXPECT_EQ(MusicOn, !music);
}

TEST_F(WindowTest, InactiveSoloBlanksThePlayfieldAndReactivationRestoresIt) {
  const uint32_t* window = SurfacePixels(WindowSurface());
  PresentPlayfield();
  int cell = (DrawnPiece[0].row - 2) * 20 + 5;  // a row through the falling Piece
  int x = PlayfieldX + (DrawnPiece[0].col - 1) * 20 + 5;
  uint32_t shown = window[cell * WindowWidth + x];
  ASSERT_NE(shown, 0u);
  WindowProcedure({MsgActivate, 0, 0});
  EXPECT_EQ(PollFlag, 0);
  EXPECT_EQ(window[cell * WindowWidth + x], 0u);
  EXPECT_EQ(Playfield[cell * PlayfieldWidth + x - PlayfieldX], shown) << "the buffer is kept";
  WindowProcedure({MsgActivate, 1, 0});
  EXPECT_EQ(window[cell * WindowWidth + x], shown);
}

TEST_F(WindowTest, NetworkGamesKeepPollingWhenInactive) {
  GameMode = Server;
  WindowProcedure({MsgActivate, 0, 0});
  EXPECT_NE(PollFlag, 0);
  GameMode = Solo;
}

TEST_F(WindowTest, PatternsStayOffWithoutTheImage) {
  PatternMode = 0;
  WindowProcedure({MsgKeyDown, 67, 0});
  EXPECT_EQ(PatternMode, 0);
  EXPECT_FALSE(MenuCommandChecked(CmdPatterns));
}

TEST_F(WindowTest, MovesRecordTheClientCornerUnsigned) {
  WindowProcedure({MsgMove, -20 & 0xFFFF, 30, });
  EXPECT_EQ(PosX, 65516);
  EXPECT_EQ(PosY, 30);
}

TEST_F(WindowTest, QuitLeavesTheLoopWithTheDestroyPath) {
  CreateMainWindow(0, 0);
  PostMessage(MsgCommand, CmdQuit);
  EXPECT_EQ(RunMainLoop(), 0);
}

// The loop waits instead of spinning, yet every gravity step still comes on time.
TEST_F(WindowTest, IdleLoopWaitsUntilTheNextStepIsDue) {
  Level = 0;
  LastStepTime = TickCount();
  EXPECT_EQ(IdleWait(), 1001);
  NullAdvanceClock(1000);
  EXPECT_EQ(IdleWait(), 1);
  NullAdvanceClock(1);
  EXPECT_EQ(IdleWait(), 0);
  SoftDropActive = 1;
  NullAdvanceClock(-1001u);
  EXPECT_EQ(IdleWait(), 0);
  SoftDropActive = 0;
  MatchOver = 1;
  EXPECT_EQ(IdleWait(), -1);
  StartRequest = 1;
  EXPECT_EQ(IdleWait(), 0);
  StartRequest = 0;
}

TEST_F(WindowTest, LoopStepsThePieceOncePerIntervalWhileIdle) {
  int row = DrawnPiece[0].row;
  LastStepTime = TickCount();
  uint32_t start = TickCount();
  // Three steps' worth of fake time, then nothing but an endless wait ends the loop.
  PostMessage(MsgKeyUp, 0);
  int passes = 0;
  Message m;
  while (TickCount() - start < 3003 && passes++ < 100) {
    if (TakeMessage(&m)) continue;
    int wait = IdleWait();
    if (wait > 0) NullAdvanceClock(uint32_t(wait));
    GameTick();
  }
  EXPECT_EQ(DrawnPiece[0].row, row + 3);
  EXPECT_LT(passes, 10) << "no pass without something to do";
}

}  // namespace
