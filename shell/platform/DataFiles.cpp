// Looking up the shipped data files: the working directory, then the program's data folder.
#include "shell/platform/DataFiles.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

namespace fs = std::filesystem;

// From the installed program's folder to the installed data folder; the build sets it from
// the install layout, so that any prefix works.
#ifndef PLOXEN_DATA_FROM_PROGRAM
#define PLOXEN_DATA_FROM_PROGRAM "../../share/ploxen"
#endif

std::string DataFolder;
static bool DataFolderChosen = false;

void ChooseDataFolder(const std::string& programFolder) {
  DataFolderChosen = true;
  DataFolder.clear();
  if (programFolder.empty()) return;
  std::error_code failed;
  for (const char* below : {"run", PLOXEN_DATA_FROM_PROGRAM}) {
    fs::path folder = fs::path(programFolder) / below;
    if (fs::is_directory(folder, failed)) {
      DataFolder = folder.lexically_normal().string();
      return;
    }
  }
}

// Linux names the running program's file here, however the program was started.
static std::string RunningProgramFolder() {
  std::error_code failed;
  fs::path program = fs::read_symlink("/proc/self/exe", failed);
  return failed ? std::string() : program.parent_path().string();
}

std::string DataFilePath(const char* name) {
  std::error_code failed;
  if (fs::exists(name, failed)) return name;
  if (!DataFolderChosen) ChooseDataFolder(RunningProgramFolder());
  if (DataFolder.empty()) return name;
  fs::path shipped = fs::path(DataFolder) / name;
  return fs::exists(shipped, failed) ? shipped.string() : std::string(name);
}
