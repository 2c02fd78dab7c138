// What the dialog tests share: a fresh directory and program state on a fresh in-memory network,
// files, keys, a hosted or joined game and the datagrams sent.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"

// The server a Client joins in these tests, as the "Serveur" text names it.
constexpr const char* TestServerText = "10.0.0.100";

// Each case starts in an empty working directory, in Solo on a fresh in-memory network
// (Alias "Moi", MaxPlayers 8), panels drawn, no dialog open, nothing recorded.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
};

// A file's whole content, or "" when it does not exist; writing gives exactly these bytes.
std::string FileText(const char* name);
void WriteFile(const char* name, const std::string& bytes);

// Whether the settings file holds this "key=value" line.
bool Stored(const std::string& line);

// Opens dialog id modally with the script playing the user; the dialog's end value.
int RunDialog(DialogId id, DialogScript script);

// A key press on the main window, through its key dispatch.
void PressWindowKey(int keyCode);

// Sets up this machine as the Server of a new game, as a confirmed F3 does, and admits peers
// 1..count (10.0.0.1 up) under the names "J1".."Jn"; what was sent is dropped.
void HostGame(int count);

// The datagrams sent since the last call, one "peer:text" line each (peer i is 10.0.0.i, 0 the
// server). Every one is checked to be 1000 bytes, zero behind the text.
std::string SentSummary();
