// The main of the headless test programs: each case starts from the program's start-up
// state, in an empty working directory of its own that goes when the case ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/platform/Messages.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullDialog.h"

namespace {

// Puts the program back as it stands after start-up in Solo, with no match, no dialog, no
// socket, the default keys, fresh panels and empty records of the headless back end.
void ResetProgramState() {
  if (ModelessDialog) CloseDialog(ModelessDialog, DialogCancel);
  CloseNet();
  ConnectLayers();
  NullSetClock(1000);
  Paused = 0;
  PollFlag = 1;
  PatternMode = GhostMode = PlayfieldHidden = 0;
  SoundOn = MusicOn = 1;
  Level = StartHeight = 0;
  ResetGame(true, Solo);
  CreatePanelSurfaces();
  LogHeld = false;
  Message left;
  while (TakeMessage(&left)) continue;  // what a case posted and never handled
  NullResetRecords();
  NullTakeErrorBoxes();
  NullTakeOpenedDialogs();
}

class FreshCase : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    home_ = std::filesystem::current_path();
    char dir[] = "/tmp/ploxen-test-XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    dir_ = dir;
    std::filesystem::current_path(dir_);
    ResetProgramState();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path home_, dir_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshCase);
  return RUN_ALL_TESTS();
}
