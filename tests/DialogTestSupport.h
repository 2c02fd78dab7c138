// What the dialog tests share: a fresh in-memory network and program state, files, keys and
// the datagrams sent.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "net/GameState.h"
#include "net/Transport.h"
#include "shell/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/Settings.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"
#include "shell/platform/null/NullNet.h"
#include "shell/platform/null/NullNetSearch.h"

// The server a Client joins in these tests, as the "Serveur" text names it.
constexpr const char* TestServerText = "10.0.0.100";

// Each case starts in the test main's empty working directory, in Solo on a fresh in-memory
// network (Alias "Moi", MaxPlayers 8), panels drawn, no dialog open, nothing recorded.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NullNetReset();
    NullSearchReset();
    std::strcpy(Alias, "Moi");
    std::strcpy(ServerName, TestServerText);
    MaxPlayers = 8;
    NetPort = 5001;
    ResetGame(true, Solo);
  }
};

// A file's whole content, or "" when it does not exist; writing gives exactly these bytes.
inline std::string FileText(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
inline void WriteFile(const char* name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

// Whether the settings file holds this "key=value" line.
inline bool Stored(const std::string& line) {
  return ("\n" + FileText("Ploxen.ini")).find("\n" + line + "\n") != std::string::npos;
}

// Opens dialog id modally with the script playing the user; the dialog's end value.
inline int RunDialog(DialogId id, DialogScript script) {
  NullScriptNextDialog(std::move(script));
  return OpenDialog(id, true);
}

// A key press on the main window, through its key dispatch.
inline void PressWindowKey(int keyCode) { WindowProcedure({MsgKeyDown, keyCode, 0}); }

// The datagrams sent since the last call, one "peer:text" line each (peer i is 10.0.0.i, 0 the
// server). Every one is checked to be 1000 bytes, zero behind the text.
inline std::string SentSummary() {
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
