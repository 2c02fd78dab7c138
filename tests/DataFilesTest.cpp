// Finding the shipped picture, tune and effects: the working directory first, then the data
// folder of the build tree or of an installation, from wherever the program's file lies; and
// what start-up makes of the picture it finds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "display/BackgroundImage.h"
#include "shell/Audio.h"
#include "shell/Settings.h"
#include "shell/platform/DataFiles.h"
#include "shell/platform/null/NullSound.h"

namespace fs = std::filesystem;

static void Touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

// Each case gets an empty working directory under a fresh folder, and leaves the data
// folder as the other tests expect it: none.
class DataFiles : public ::testing::Test {
 protected:
  fs::path root = fs::current_path();  // the test main's, removed after the case
  void SetUp() override {
    fs::create_directories(root / "cwd");
    fs::current_path(root / "cwd");
  }
  void TearDown() override { ChooseDataFolder(""); }
};

// A player's own file wins, then the shipped one, then the bare name.
TEST_F(DataFiles, TheFolderIsTheBuildTreesRunAndAPlayersOwnFileWins) {
  // The build tree: the program beside run/.
  Touch(root / "build/run/Ploxen.gif");
  Touch(root / "build/run/Pose.wav");
  Touch(root / "cwd/Pose.wav");
  ChooseDataFolder((root / "build").string());
  EXPECT_EQ(DataFolder, (root / "build/run").string());
  EXPECT_EQ(DataFilePath("Pose.wav"), "Pose.wav");
  EXPECT_EQ(DataFilePath("Ploxen.gif"), (root / "build/run/Ploxen.gif").string());
  EXPECT_EQ(DataFilePath("Ploxen.mid"), "Ploxen.mid");  // in neither: fails to open as before
  // A program with neither run/ nor share/ploxen (which e2e.install finds) beside it, as the
  // tests are: no folder, so bare names stay bare.
  ChooseDataFolder((root / "prefix/bin").string());
  EXPECT_EQ(DataFolder, "");
  EXPECT_EQ(DataFilePath("Ploxen.gif"), "Ploxen.gif");
}

// The three kinds of data file reach their players through the lookup: start-up without the
// picture anywhere shows plain colours, with it in the data folder the picture (which
// e2e.install finds on the screen, from an installation's share/ploxen).
TEST_F(DataFiles, ThePictureTuneAndEffectsComeFromTheDataFolder) {
  fs::path run = root / "build/run";
  ImageLoaded = true;
  LoadBackgroundImage();
  EXPECT_TRUE(!ImageLoaded && ImageSurface == nullptr);
  Touch(run / "Ploxen.mid");
  Touch(run / "Ligne.wav");
  fs::copy_file(PLOXEN_PICTURE, run / "Ploxen.gif");
  ChooseDataFolder((root / "build").string());
  LoadBackgroundImage();
  EXPECT_TRUE(ImageLoaded && ImageSurface);
  FreeBackgroundImage();
  ImageLoaded = false;

  NullResetSound();
  RestartMusic();
  PlayEffect("Ligne.wav");
  PlayEffect("Perdu.wav");  // shipped nowhere here
  MusicOn = 0;
  RestartMusic();
  std::vector<std::string> heard = {"open " + (run / "Ploxen.mid").string(), "play",
                                    "effect " + (run / "Ligne.wav").string(), "effect Perdu.wav",
                                    "close"};
  EXPECT_EQ(NullSoundLog(), heard);
}
