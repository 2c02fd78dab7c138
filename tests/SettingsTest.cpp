// Settings and the profile file under them: the first start, a hand-edited file, and writes that
// never leave the file cut.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "shell/Settings.h"
#include "shell/platform/Profile.h"
#include "shell/platform/null/NullSystem.h"

// Each case runs in the test main's fresh empty directory, on the headless 1024 x 768 screen,
// with no background image loaded.
static void Store(const char* text) { std::ofstream(SettingsFile, std::ios::binary) << text; }

static std::string Stored(const char* path = SettingsFile) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The first start writes every key with its default; the next one, every key already stored,
// writes nothing; an alias stored with spaces goes back trimmed.
TEST(SettingsTest, FirstStartWritesEveryKeyAndTheNextOneNothing) {
  NullSetComputerName("  PLOXEN-TEST ");
  LoadSettings();
  LoadPatternSetting();
  std::string first = Stored();
  std::filesystem::create_hard_link(SettingsFile, "old");
  LoadSettings();
  LoadPatternSetting();
  WriteToggle(MusicOn, 0, "Musique");
  EXPECT_EQ(std::filesystem::hard_link_count("old"), 2u) << "the start replaced the file";
  first.replace(first.find("Alias=") + 6, 11, "  Spaced  ");
  Store(first.c_str());
  LoadSettings();
  EXPECT_NE(Stored().find("\nAlias=Spaced\n"), std::string::npos) << Stored();
}

// Names match in any case; a five-digit port is read whole, one outside 1..65535 gives way to
// the default in the file too; an alias of spaces gives way to the computer name; a position
// left of the screen starts centred, yet the file keeps it until shutdown; one equal to the
// screen's height stays. Once the window has told where it is, a second read (the keyboard
// dialog's) keeps that place over the stored one.
TEST(SettingsTest, HandEditedFileKeepsItsLinesAndAMovedWindowItsPlaceOnAReread) {
  NullSetComputerName("  PLOXEN-TEST ");
  Store("; Ploxen\r\n[reseau]\r\nALIAS = \"    \"\r\nPort=47391\r\n[Autre]\r\nx=y\r\n"
        "[Window]\r\nPosX=-20\r\nPosY=768\r\n");
  LoadSettings();
  EXPECT_EQ(std::vector({NetPort, PosX, PosY}), std::vector({47391, 290, 768}));
  EXPECT_EQ(Stored(),
            "; Ploxen\r\n[reseau]\r\nALIAS = PLOXEN-TEST\r\nPort=47391\r\nServeur=127.0.0.1\r\n"
            "Max=8\r\n[Autre]\r\nx=y\r\n[Window]\r\nPosX=-20\r\nPosY=768\r\n[Clavier]\r\n"
            "Gauche=331\r\nDroite=333\r\nBas=336\r\nRotg=29\r\nRotd=328\r\n[Jeu]\r\n"
            "Bruitages=1\r\nMusique=1\r\n");
  Store("[Reseau]\nPort=70000\n[Window]\nPosX=100\nPosY=120\n");
  PosX = 300, PosY = 320, WindowPlaced = true;  // the main window's move notice
  LoadSettings();
  WindowPlaced = false;
  EXPECT_EQ(std::vector({NetPort, PosX, PosY}), std::vector({5001, 300, 320}));
  EXPECT_NE(Stored().find("Port=5001\n"), std::string::npos);
}

static int FileCount() { return int(std::distance(std::filesystem::directory_iterator("."), {})); }

// A crash at any moment must leave the old file or the new one: a change of length is never
// written over the old one. One of the same length is written in place, and an unchanged value
// not at all, so that neither costs more for a bigger file. A value cannot add lines.
TEST(SettingsTest, WriteGoesThroughANewFileAndNeverCutsTheOldOne) {
  Store("[Jeu]\nMusique=1\n");
  std::filesystem::create_hard_link(SettingsFile, "old");  // the old bytes, whatever the name holds
  WriteSettingInt("Jeu", "Musique", 10);
  EXPECT_EQ(Stored("old"), "[Jeu]\nMusique=1\n");
  EXPECT_EQ(Stored(), "[Jeu]\nMusique=10\n");
  EXPECT_EQ(FileCount(), 2) << "no temporary left";
  std::filesystem::remove("old");
  std::filesystem::create_hard_link(SettingsFile, "old");
  WriteSettingInt("Jeu", "Musique", 10);
  WriteSettingInt("Jeu", "Musique", 20);
  EXPECT_EQ(Stored("old"), "[Jeu]\nMusique=20\n") << "rewritten whole for a same-length change";
  WriteSettingText("Reseau", "Alias", "Zo\r\n[Clavier]\nGauche=1");  // a typed value
  EXPECT_EQ(Stored(), "[Jeu]\nMusique=20\n[Reseau]\nAlias=Zo\n") << "lines added by a value";
}

// Read-only files, links and a directory in the file's place; root writes any file, so the
// mode is tried by an unprivileged child as well.
TEST(SettingsTest, ReadOnlyAndLinkedFilesAreRespected) {
  Store("[Reseau]\nAlias=Vieux\n");
  ASSERT_EQ(chmod(SettingsFile, 0444), 0);
  EXPECT_EQ(WriteProfileString("Reseau", "Alias", "Neuf", SettingsFile), -1);
  EXPECT_EQ(Stored(), "[Reseau]\nAlias=Vieux\n");
  char value[33];
  ReadProfileString("Reseau", "Alias", "", value, sizeof value, SettingsFile);
  EXPECT_STREQ(value, "Neuf") << "the value in memory goes on";
  ASSERT_EQ(FileCount(), 1);

  std::filesystem::rename(SettingsFile, "target.ini");
  chmod("target.ini", 0644);
  std::filesystem::create_symlink("target.ini", SettingsFile);
  WriteSettingText("Reseau", "Alias", "Lie");
  EXPECT_TRUE(std::filesystem::is_symlink(SettingsFile));
  EXPECT_EQ(Stored("target.ini"), "[Reseau]\nAlias=Lie\n");
  EXPECT_EQ(FileCount(), 2);

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
  EXPECT_TRUE(WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 77) << "written";
  EXPECT_EQ(Stored(), "[Reseau]\nAlias=Vieux\n");

  std::filesystem::remove(SettingsFile);
  std::filesystem::create_directory(SettingsFile);
  LoadSettings();
  EXPECT_EQ(NetPort, 5001);
  EXPECT_TRUE(std::filesystem::is_directory(SettingsFile));
}

// Killed at random moments while writing, over and over: the next start finds the old file or
// the new one, and nothing else.
TEST(SettingsTest, AKillDuringAWriteLeavesNoLitterAfterTheNextStart) {
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
