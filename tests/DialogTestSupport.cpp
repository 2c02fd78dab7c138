// Fresh state for each dialog test, and file helpers.
#include "tests/DialogTestSupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "shell/MainWindow.h"

// One directory for the run, emptied for each case; it stays behind for a look after a failure.
void DialogTest::SetUp() {
  namespace fs = std::filesystem;
  static const fs::path dir =
      fs::temp_directory_path() / ("ploxen-dialogs-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directory(dir);
  fs::current_path(dir);
  if (ModelessDialog) CloseDialog(ModelessDialog, DialogCancel);
  CreatePanelSurfaces();
  ResetNetTest();
  AppendMessage(ClearLogCommand, 0);
  NullTakeErrorBoxes();
  NullTakeOpenedDialogs();
}

std::string FileText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const char* name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

bool Stored(const std::string& line) {
  return ("\n" + FileText("Ploxen.ini")).find("\n" + line + "\n") != std::string::npos;
}

int RunDialog(DialogId id, DialogScript script) {
  NullScriptNextDialog(std::move(script));
  return OpenDialog(id, true);
}

void PressWindowKey(int keyCode) { WindowProcedure({MsgKeyDown, keyCode, 0}); }

std::string SentSummary() {
  std::string out;
  for (const SentText& s : TakeSent()) out += std::to_string(s.to) + ":" + s.text + "\n";
  return out;
}
