// Shipped data files (the picture, the tune, the effects): found wherever the game is started.
#pragma once
#include <string>

// The folder that holds the shipped data files, "" when there is none; ChooseDataFolder sets it.
extern std::string DataFolder;

// Sets DataFolder from the folder of the program's file: the build tree's "run" folder beside
// the program, else the installed share/ploxen reached from the program's folder, else "".
void ChooseDataFolder(const std::string& programFolder);

// The path to open for the data file name: name itself when the working directory holds it (a
// player's own file wins), else its copy in DataFolder, else name, which then fails to open as
// it always did. The first call chooses DataFolder from the running program's file unless it was
// chosen already. Settings and scores never come here: they belong to the working directory.
std::string DataFilePath(const char* name);
