// What the dialog tests share: a fresh directory and program state, files, keys.
#pragma once
#include <string>

// A new empty working directory, a Solo program state on a fresh in-memory
// network (alias "Moi"), no dialog open, no records.
void FreshDialogTest();

// A file's whole content, or "" when it does not exist.
std::string FileText(const char* name);

// Writes a file with exactly these bytes.
void WriteFile(const char* name, const std::string& bytes);

// A key press on the main window, through its key dispatch.
void PressWindowKey(int keyCode);

// Places a Solo score and lines in the local player's row, as a lost match leaves them.
void SetLocalResult(int score, int lines);
