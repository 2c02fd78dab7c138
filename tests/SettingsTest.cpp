// Settings and the profile file under them: the first start, a hand-edited file, and writes that
// never leave the file cut.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "display/Playfield.h"
#include "game/Falling.h"
#include "shell/Settings.h"
#include "shell/platform/Profile.h"
#include "shell/platform/null/NullSystem.h"

// Each case runs in the test main's fresh empty directory, on the headless 1024 x 768 screen,
// with the computer named "  PLOXEN-TEST " and no background image loaded.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { NullSetComputerName("  PLOXEN-TEST "); }
};

static void Store(const char* text) { std::ofstream(SettingsFile, std::ios::binary) << text; }

static std::string Stored(const char* path = SettingsFile) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

// The first start writes every key with its default; the next one, every key already stored,
// writes nothing; an alias stored with spaces goes back trimmed.
TEST_F(SettingsTest, FirstStartWritesEveryKeyWithItsDefaultAndTheNextOneNothing) {
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
  std::string first = Stored();
  ASSERT_EQ(link(SettingsFile, "old"), 0);
  LoadSettings();
  LoadPatternSetting();
  WriteToggle(MusicOn, 0, "Musique");
  struct stat a, b;
  ASSERT_TRUE(stat(SettingsFile, &a) == 0 && stat("old", &b) == 0);
  EXPECT_EQ(a.st_ino, b.st_ino) << "the start replaced the file";
  first.replace(first.find("Alias=") + 6, 11, "  Spaced  ");
  Store(first.c_str());
  LoadSettings();
  EXPECT_NE(Stored().find("\nAlias=Spaced\n"), std::string::npos) << Stored();
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

static int FileCount() { return int(std::distance(std::filesystem::directory_iterator("."), {})); }

// A crash at any moment must leave the old file or the new one: a change of length is never
// written over the old one. One of the same length is written in place, and an unchanged value
// not at all, so that neither costs more for a bigger file.
TEST_F(SettingsTest, WriteGoesThroughANewFileAndNeverCutsTheOldOne) {
  Store("[Jeu]\nMusique=1\n");
  ASSERT_EQ(link(SettingsFile, "old"), 0);  // keeps the old file's bytes, whatever the name holds
  WriteSettingInt("Jeu", "Musique", 10);
  EXPECT_EQ(Stored("old"), "[Jeu]\nMusique=1\n");
  EXPECT_EQ(Stored(), "[Jeu]\nMusique=10\n");
  EXPECT_EQ(FileCount(), 2) << "no temporary left";
  ASSERT_EQ(unlink("old"), 0);
  ASSERT_EQ(link(SettingsFile, "old"), 0);
  WriteSettingInt("Jeu", "Musique", 10);
  WriteSettingInt("Jeu", "Musique", 20);
  EXPECT_EQ(Stored("old"), "[Jeu]\nMusique=20\n") << "rewritten whole for a same-length change";
}

// Read-only files, links and a directory in the file's place; root writes any file, so the
// mode is tried by an unprivileged child as well.
TEST_F(SettingsTest, ReadOnlyAndLinkedFilesAreRespected) {
  Store("[Reseau]\nAlias=Vieux\n");
  ASSERT_EQ(chmod(SettingsFile, 0444), 0);
  EXPECT_EQ(WriteProfileString("Reseau", "Alias", "Neuf", SettingsFile), -1);
  EXPECT_EQ(Stored(), "[Reseau]\nAlias=Vieux\n");
  char value[33];
  ReadProfileString("Reseau", "Alias", "", value, sizeof value, SettingsFile);
  EXPECT_STREQ(value, "Neuf") << "the value in memory goes on";
  ASSERT_EQ(FileCount(), 1);

  std::filesystem::create_directory("real");
  std::filesystem::rename(SettingsFile, "real/target.ini");
  chmod("real/target.ini", 0644);
  std::filesystem::create_symlink("real/target.ini", SettingsFile);
  WriteSettingText("Reseau", "Alias", "Lie");
  EXPECT_TRUE(std::filesystem::is_symlink(SettingsFile));
  EXPECT_EQ(Stored("real/target.ini"), "[Reseau]\nAlias=Lie\n");
  EXPECT_EQ(FileCount() + int(std::distance(std::filesystem::directory_iterator("real"), {})), 3);

  // Owned by root and writable by it alone, in a directory anyone may write to.
  std::filesystem::remove(SettingsFile);
  Store("[Reseau]\nAlias=Vieux\n");
  ASSERT_EQ(chmod(SettingsFile, 0644), 0);
  ASSERT_EQ(chmod(".", 0777), 0);
  pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(77);
    if (access(SettingsFile, W_OK) == 0) _exit(77);  // this user may write it after all
    _exit(WriteProfileString("Reseau", "Alias", "Neuf", SettingsFile) == -1 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (WEXITSTATUS(status) == 77) std::printf("unprivileged child not possible: mode case skipped\n");
  else EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Stored(), "[Reseau]\nAlias=Vieux\n");

  std::filesystem::remove(SettingsFile);
  std::filesystem::create_directory(SettingsFile);
  LoadSettings();
  EXPECT_EQ(NetPort, 5001);
  EXPECT_TRUE(std::filesystem::is_directory(SettingsFile));
}

// Killed at random moments while writing, over and over: the next start finds the old file or
// the new one, and nothing else.
TEST_F(SettingsTest, AKillDuringAWriteLeavesNoLitterAfterTheNextStart) {
  std::mt19937 random(7);
  for (int kill = 0; kill < 40; ++kill) {
    pid_t child = fork();
    if (child == 0) {
      for (int i = 0;; ++i)  // lengths that change, so that every write replaces the file
        WriteSettingText("Reseau", "Alias", std::string(1 + (kill + i) % 30, 'a').c_str());
    }
    usleep(useconds_t(random() % 4000));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  LoadSettings();
  EXPECT_EQ(FileCount(), 1);
  std::string stored = Stored();
  EXPECT_EQ(stored.rfind("[Reseau]\nAlias=a", 0), 0u) << stored;
}

// A typed value cannot add lines or sections to the file.
TEST_F(SettingsTest, AValueStaysInsideItsKey) {
  WriteSettingText("Reseau", "Alias", "Zo\r\n[Clavier]\nGauche=1");
  EXPECT_EQ(Stored(), "[Reseau]\nAlias=Zo\n");
}
