// The command line: --help and --version, answered before any window service starts.
#pragma once
#include <cstdio>

// Exit status for a command line that the program does not understand.
constexpr int BadCommandLine = 2;

// -1 when the game should start (no arguments). Otherwise prints the help or the version to
// out and returns 0, or prints what it did not understand to err and returns BadCommandLine.
// The texts are French when the locale's language is, English otherwise.
int HandleCommandLine(int argc, char** argv, FILE* out, FILE* err);
