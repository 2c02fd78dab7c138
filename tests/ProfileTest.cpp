// Profile files: lookups, defaults, cutting, and edits that leave the rest of the file alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/platform/Profile.h"

namespace {

constexpr char File[] = "Ploxen.ini";

// Each case runs in a fresh empty directory, since the program's path is relative.
class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    char dir[] = "/tmp/ploxen-profile-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path old_, dir_;
};

void Store(const std::string& text) { std::ofstream(File, std::ios::binary) << text; }

std::string Stored() {
  std::ostringstream s;
  s << std::ifstream(File, std::ios::binary).rdbuf();
  return s.str();
}

std::string Read(const char* section, const char* key, const char* def = "dflt", int size = 64) {
  char out[64];
  int n = ReadProfileString(section, key, def, out, size, File);
  EXPECT_EQ(n, int(std::string(out).size()));
  return out;
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read("Reseau", "Alias"), "dflt");
  EXPECT_EQ(Read("Reseau", "Alias", nullptr), "");
  EXPECT_FALSE(std::filesystem::exists(File));  // reading never creates the file
  Store("Alias=avant\r\n[Autre]\r\nAlias=ailleurs\r\n[Reseau]\r\nServeur=ici\r\n");
  EXPECT_EQ(Read("Reseau", "Alias"), "dflt");
  EXPECT_EQ(Read("Manque", "Serveur"), "dflt");
  EXPECT_EQ(Read("Reseau", "Serveur"), "ici");
}

TEST_F(ProfileTest, NamesMatchInAnyCaseAndBlanksAroundAreDropped) {
  Store("  [ reseau ]  \r\n  ALIAS  =  Zo\xe9 L  \r\n\tPort\t=\t5001\t\r\n");
  EXPECT_EQ(Read("Reseau", "alias"), "Zo\xe9 L");
  EXPECT_EQ(Read("RESEAU", "port"), "5001");
}

TEST_F(ProfileTest, MatchingQuotesAroundAValueAreDropped) {
  Store("[Q]\na=\"  x y  \"\nb='z'\nc=\"mixed'\nd=\"\ne=\"\"\n");
  EXPECT_EQ(Read("Q", "a"), "  x y  ");
  EXPECT_EQ(Read("Q", "b"), "z");
  EXPECT_EQ(Read("Q", "c"), "\"mixed'");
  EXPECT_EQ(Read("Q", "d"), "\"");
  EXPECT_EQ(Read("Q", "e"), "");
}

TEST_F(ProfileTest, ValueAndDefaultAreCutToTheBuffer) {
  Store("[Reseau]\nServeur=serveur.exemple\n");
  EXPECT_EQ(Read("Reseau", "Serveur", "", 8), "serveur");
  EXPECT_EQ(Read("Reseau", "Serveur", "", 1), "");
  EXPECT_EQ(Read("Reseau", "Port", "50010", 5), "5001");
}

TEST_F(ProfileTest, WritesAddFileSectionsAndKeysInOrder) {
  EXPECT_EQ(WriteProfileString("A", "k1", "1", File), 0);
  WriteProfileString("B", "k2", "2", File);
  WriteProfileString("a", "k3", "3", File);  // joins section A
  WriteProfileString("A", "K1", "9", File);  // keeps the key's own spelling
  EXPECT_EQ(Stored(), "[A]\nk1=9\nk3=3\n[B]\nk2=2\n") << "a new file has LF line ends";
}

TEST_F(ProfileTest, WritesKeepEveryOtherByteOfAForeignFile) {
  Store("; r\xe9glages\r\n\r\n[Reseau]\r\nAlias = Zo\xe9  \r\nPort=50010\r\nMax=   \r\n\r\n"
        "[Autre]\r\ncl\xe9=valeur\r\n");
  WriteProfileString("Reseau", "Port", "5001", File);
  WriteProfileString("Reseau", "Alias", "L\xe9\x61", File);
  WriteProfileString("Reseau", "Serveur", "h", File);
  WriteProfileString("Reseau", "Max", "8", File);
  WriteProfileString("Jeu", "Musique", "1", File);
  EXPECT_EQ(Stored(),
            "; r\xe9glages\r\n\r\n[Reseau]\r\nAlias = L\xe9\x61\r\nPort=5001\r\nMax=8\r\n"
            "Serveur=h\r\n\r\n"
            "[Autre]\r\ncl\xe9=valeur\r\n[Jeu]\r\nMusique=1\r\n");
}

TEST_F(ProfileTest, NewLinesFollowTheFilesLineEnds) {
  Store("[A]\nk=1");  // a last line without its end
  WriteProfileString("A", "j", "2", File);
  EXPECT_EQ(Stored(), "[A]\nk=1\nj=2\n");
}

TEST_F(ProfileTest, LineBreakInAValueCannotAddLines) {
  WriteProfileString("A", "k", "x\r\n[B]\r\nk=evil", File);
  EXPECT_EQ(Stored(), "[A]\nk=x\n");
}

TEST_F(ProfileTest, FirstOfTwoSectionsOfOneNameIsTheOneUsed) {
  Store("[A]\nk=1\n[A]\nk=2\nj=3\n");
  EXPECT_EQ(Read("A", "k"), "1");
  EXPECT_EQ(Read("A", "j"), "dflt");
  WriteProfileString("A", "j", "4", File);
  EXPECT_EQ(Read("A", "j"), "4");
  EXPECT_EQ(Stored(), "[A]\nk=1\nj=4\n[A]\nk=2\nj=3\n");
}

TEST_F(ProfileTest, ReplacedFileKeepsItsModeAndLeavesNoTemporaryFile) {
  mode_t oldMask = umask(022);
  WriteProfileString("A", "k", "1", File);
  umask(oldMask);
  struct stat st;
  ASSERT_EQ(stat(File, &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  chmod(File, 0600);
  WriteProfileString("A", "k", "2", File);
  ASSERT_EQ(stat(File, &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(".")) entries += e.exists();
  EXPECT_EQ(entries, 1);
}

TEST_F(ProfileTest, UnreadableOrUnreachableFileIsNotReplaced) {
  EXPECT_EQ(WriteProfileString("A", "k", "1", "manque/Ploxen.ini"), -1);
  std::filesystem::create_directory(File);  // exists, but cannot be read as a file
  EXPECT_EQ(WriteProfileString("A", "k", "1", File), -1);
  EXPECT_TRUE(std::filesystem::is_directory(File));
}

}  // namespace
