// Fresh state for each dialog test, files, keys, and the in-memory network's games and datagrams.
#include "tests/DialogTestSupport.h"

#include <cstring>
#include <fstream>

#include "net/Transport.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullControl.h"
#include "shell/platform/null/NullNet.h"
#include "shell/platform/null/NullNetSearch.h"

// The test main has reset the program and given the case an empty directory.
void DialogTest::SetUp() {
  NullNetReset();
  NullSearchReset();
  std::strcpy(Alias, "Moi");
  std::strcpy(ServerName, TestServerText);
  MaxPlayers = 8;
  NetPort = 5001;
  ResetGame(true, Solo);
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

void HostGame(int count) {
  LeaveGame();
  ASSERT_EQ(OpenServerSocket(), 0);
  ResetGame(true, Server);
  for (int i = 1; i <= count; ++i) {
    NullNetDeliverText(NullPeerAddress(i), ("CJ" + std::to_string(i)).c_str());
    GameTick();
  }
  NullNetTakeSent();
}

std::string SentSummary() {
  std::string out;
  for (const NullDatagram& d : NullNetTakeSent()) {
    EXPECT_EQ(d.bytes.size(), 1000u);
    std::string text(d.bytes.c_str());
    EXPECT_EQ(d.bytes.find_first_not_of('\0', text.size()), std::string::npos) << text;
    int last = reinterpret_cast<const uint8_t*>(&d.peer.address)[3];
    out += std::to_string(last == 100 ? 0 : last) + ":" + text + "\n";
  }
  return out;
}
