// Program entry: the Qt back end, then the program itself.
#include "shell/Program.h"
#include "shell/platform/Window.h"

int main(int argc, char** argv) {
  PlatformStartup(argc, argv);
  return RunProgram();
}
