// Settings and the profile file under them: the first start, a hand-edited file, and writes that
// never leave the file cut.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "display/Playfield.h"
#include "game/Falling.h"
#include "shell/Settings.h"
#include "shell/platform/null/NullSystem.h"

// Each case runs in a fresh empty directory, on the headless 1024 x 768 screen, with the computer
// named "  PLOXEN-TEST " and no background image loaded.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/ploxen-settings-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::filesystem::current_path(dir_ = dir);
    NullSetComputerName("  PLOXEN-TEST ");
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path old_ = std::filesystem::current_path(), dir_;
};

static void Store(const char* text) { std::ofstream(SettingsFile, std::ios::binary) << text; }

static std::string Stored(const char* path = SettingsFile) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

TEST_F(SettingsTest, FirstStartWritesEveryKeyWithItsDefault) {
  PatternMode = 1, MaxPlayers = NetPort = KeyLeft = KeyRight = KeyDown = KeyRotLeft = -1;
  KeyRotRight = SoundOn = MusicOn = PosX = PosY = -1;
  LoadSettings();
  LoadPatternSetting();
  EXPECT_EQ(Stored(),
            "[Reseau]\nAlias=PLOXEN-TEST\nServeur=127.0.0.1\nMax=8\nPort=5001\n"
            "[Clavier]\nGauche=331\nDroite=333\nBas=336\nRotg=29\nRotd=328\n"
            "[Jeu]\nBruitages=1\nMusique=1\nMotifs=0\n"
            "[Window]\nPosX=290\nPosY=203\n");
  EXPECT_EQ(std::vector<int32_t>({MaxPlayers, NetPort, KeyLeft, KeyRight, KeyDown, KeyRotLeft,
                                  KeyRotRight, SoundOn, MusicOn, PosX, PosY, PatternMode}),
            std::vector<int32_t>({8, 5001, 331, 333, 336, 29, 328, 1, 1, 290, 203, 0}));
}

// Names match in any case; a five-digit port is read whole; an alias of
// spaces gives way to the computer name; a position left of the screen starts centred, yet the
// file keeps it until shutdown; one equal to the screen's height stays.
TEST_F(SettingsTest, HandEditedFileKeepsItsCommentsSectionsAndLineEnds) {
  Store("; Ploxen\r\n[reseau]\r\nALIAS = \"    \"\r\nPort=47391\r\n[Autre]\r\nx=y\r\n"
        "[Window]\r\nPosX=-20\r\nPosY=768\r\n");
  LoadSettings();
  EXPECT_EQ(std::vector({NetPort, PosX, PosY}), std::vector({47391, 290, 768}));
  EXPECT_EQ(Stored(),
            "; Ploxen\r\n[reseau]\r\nALIAS = PLOXEN-TEST\r\nPort=47391\r\nServeur=127.0.0.1\r\n"
            "Max=8\r\n[Autre]\r\nx=y\r\n[Window]\r\nPosX=-20\r\nPosY=768\r\n[Clavier]\r\n"
            "Gauche=331\r\nDroite=333\r\nBas=336\r\nRotg=29\r\nRotd=328\r\n[Jeu]\r\n"
            "Bruitages=1\r\nMusique=1\r\n");
}

// A port outside 1..65535 gives way to the default in the file too. Once the window has told
// where it is, a second read (the keyboard dialog's) keeps that place over the stored one.
TEST_F(SettingsTest, PortOutOfRangeIsTheDefaultAndAMovedWindowKeepsItsPlaceOnAReread) {
  Store("[Reseau]\nPort=70000\n[Window]\nPosX=100\nPosY=120\n");
  LoadSettings();
  EXPECT_EQ(std::vector({NetPort, PosX, PosY}), std::vector({5001, 100, 120}));
  EXPECT_NE(Stored().find("Port=5001\n"), std::string::npos);
  PosX = 300, PosY = 320, WindowPlaced = true;  // the main window's move notice
  LoadSettings();
  WindowPlaced = false;
  EXPECT_EQ(std::vector({PosX, PosY}), std::vector({300, 320}));
}

// A crash at any moment must leave the old file or the new one: the old one is never rewritten.
TEST_F(SettingsTest, WriteGoesThroughANewFileAndNeverCutsTheOldOne) {
  Store("[Jeu]\nMusique=1\n");
  ASSERT_EQ(link(SettingsFile, "old"), 0);  // keeps the old file's bytes, whatever the name holds
  WriteSettingInt("Jeu", "Musique", 0);
  EXPECT_EQ(Stored("old"), "[Jeu]\nMusique=1\n");
  EXPECT_EQ(Stored(), "[Jeu]\nMusique=0\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2) << "no temporary left";
}

// A typed value cannot add lines or sections to the file.
TEST_F(SettingsTest, AValueStaysInsideItsKey) {
  WriteSettingText("Reseau", "Alias", "Zo\r\n[Clavier]\nGauche=1");
  EXPECT_EQ(Stored(), "[Reseau]\nAlias=Zo\n");
}
