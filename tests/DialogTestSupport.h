// What the dialog tests share: a fresh directory and program state, files, keys, datagrams.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "net/GameState.h"
#include "shell/Dialogs.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/null/NullDialog.h"
#include "tests/NetPeers.h"

// Each case starts in an empty working directory, in Solo on a fresh in-memory
// network (alias "Moi"), panels drawn, no dialog open, nothing recorded.
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

// The datagrams sent since the last call, one "peer:text" line each.
std::string SentSummary();
