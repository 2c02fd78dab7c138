// Fresh state for each dialog test, and file helpers.
#include "tests/DialogTestSupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "shell/MainWindow.h"

// The test main has reset the program and given the case an empty directory.
void DialogTest::SetUp() { ResetNetTest(); }

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
