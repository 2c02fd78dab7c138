// Fresh state for each dialog test, and file helpers.
#include "tests/DialogTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "display/MessageLog.h"
#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/NetPeers.h"

// The previous test's directory goes when the next one starts, so that a failed
// test leaves its files to look at and a run leaves one directory behind.
void FreshDialogTest() {
  static std::string previous;
  char dir[] = "/tmp/ploxen-dialogs-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  ASSERT_EQ(chdir(dir), 0);
  std::error_code ignored;
  if (!previous.empty()) std::filesystem::remove_all(previous, ignored);
  previous = dir;
  if (ModelessDialog) DestroyDialog(ModelessDialog);
  ModelessDialog = nullptr;
  ResetNetTest();
  AppendMessage(ClearLogCommand, 0);
  NullTakeErrorBoxes();
  NullTakeOpenedDialogs();
}

std::string FileText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const char* name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

void PressWindowKey(int keyCode) { WindowProcedure({MsgKeyDown, keyCode, 0}); }

void SetLocalResult(int score, int lines) {
  LocalEntry().score = score;
  LocalEntry().lines = lines;
}
