// Program entry: the command line, the Qt back end, then the program itself.
#include <cstdio>

#include "shell/CommandLine.h"
#include "shell/Program.h"
#include "shell/platform/Window.h"

int main(int argc, char** argv) {
  // Before Qt, which would take arguments of its own and needs a display to start.
  int answered = HandleCommandLine(argc, argv, stdout, stderr);
  if (answered >= 0) return answered;
  PlatformStartup(argc, argv);
  return RunProgram();
}
