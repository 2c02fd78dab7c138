// Settings: first start, stored values, write-back, the window position and the toggles.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "display/BackgroundImage.h"
#include "display/Playfield.h"
#include "game/Falling.h"
#include "shell/Settings.h"
#include "shell/platform/Menu.h"
#include "shell/platform/null/NullSystem.h"

namespace {

// Each case runs in a fresh empty directory, on a 1024 x 768 screen named "PLOXEN-TEST".
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    char dir[] = "/tmp/ploxen-settings-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    std::filesystem::current_path(dir_);
    NullSetScreenSize(1024, 768);
    NullSetComputerName("PLOXEN-TEST");
    ImageLoaded = false;
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path old_, dir_;
};

void Store(const std::string& text) { std::ofstream(SettingsFile, std::ios::binary) << text; }

std::string Stored() {
  std::ostringstream s;
  s << std::ifstream(SettingsFile, std::ios::binary).rdbuf();
  return s.str();
}

bool StoredHas(const std::string& line) {
  std::string all = Stored();
  return all.find(line + "\n") != std::string::npos || all.find(line + "\r\n") != std::string::npos;
}

TEST_F(SettingsTest, FirstStartWritesEveryKeyWithItsDefault) {
  MaxPlayers = NetPort = KeyLeft = KeyRotRight = SoundOn = PosX = PosY = -1;
  PatternMode = 1;
  LoadSettings();
  LoadPatternSetting();
  EXPECT_EQ(Stored(),
            "[Reseau]\nAlias=PLOXEN-TEST\nServeur=127.0.0.1\nMax=8\nPort=5001\n"
            "[Clavier]\nGauche=331\nDroite=333\nBas=336\nRotg=29\nRotd=328\n"
            "[Jeu]\nBruitages=1\nMusique=1\nMotifs=0\n"
            "[Window]\nPosX=290\nPosY=203\n");
  EXPECT_STREQ(Alias, "PLOXEN-TEST");
  EXPECT_EQ(MaxPlayers, 8);
  EXPECT_EQ(NetPort, 5001);
  EXPECT_EQ(KeyLeft, 331);
  EXPECT_EQ(KeyRotRight, 328);
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(PosX, 290);
  EXPECT_EQ(PosY, 203);
  EXPECT_EQ(PatternMode, 0);
}

TEST_F(SettingsTest, StoredValuesCountUpToFourCharactersAndGoBackAsRead) {
  Store("; Ploxen\r\n[reseau]\r\nalias=Zo\xe9\r\nPort=50010\r\nMax=abc\r\n"
        "[Clavier]\r\nGauche=30\r\nBas=12x\r\n[Autre]\r\nx=y\r\n");
  LoadSettings();
  EXPECT_STREQ(Alias, "Zo\xe9");
  EXPECT_EQ(NetPort, 5001);
  EXPECT_EQ(MaxPlayers, 0);
  EXPECT_EQ(KeyLeft, 30);
  EXPECT_EQ(KeyDown, 12);
  EXPECT_EQ(Stored(),
            "; Ploxen\r\n[reseau]\r\nalias=Zo\xe9\r\nPort=5001\r\nMax=abc\r\nServeur=127.0.0.1\r\n"
            "[Clavier]\r\nGauche=30\r\nBas=12x\r\nDroite=333\r\nRotg=29\r\nRotd=328\r\n"
            "[Autre]\r\nx=y\r\n[Jeu]\r\nBruitages=1\r\nMusique=1\r\n"
            "[Window]\r\nPosX=290\r\nPosY=203\r\n");
}

TEST_F(SettingsTest, AliasLosesOuterSpacesAndIsNeverEmpty) {
  struct Case { const char* computer; const char* stored; const char* alias; } cases[] = {
      {"PLOXEN-TEST", "Alias=      \r\n", "PLOXEN-TEST"},
      {"PLOXEN-TEST", "Alias=\"    \"\r\n", "PLOXEN-TEST"},
      {"PLOXEN-TEST", "Alias=\"  L\xe9\x61 B  \"\r\n", "L\xe9\x61 B"},
      {"  PC 1  ", "", "PC 1"},
      {"PC", "Alias=0123456789012345678901234567890123456789\r\n",
       "01234567890123456789012345678901"},
  };
  for (const Case& c : cases) {
    NullSetComputerName(c.computer);
    Store(std::string("[Reseau]\r\n") + c.stored);
    LoadSettings();
    EXPECT_STREQ(Alias, c.alias) << c.stored;
    EXPECT_TRUE(StoredHas(std::string("Alias=") + c.alias)) << c.stored;
  }
}

TEST_F(SettingsTest, PositionOffTheScreenStartsCentredButStaysInTheFile) {
  struct Case { const char* x; const char* y; int posX; int posY; } cases[] = {
      {"1024", "768", 1024, 768}, {"0", "0", 0, 0}, {"1025", "-1", 290, 203},
      {"65516", "65535", 290, 203}, {"-20", "769", 290, 203},
  };
  for (const Case& c : cases) {
    Store(std::string("[Window]\r\nPosX=") + c.x + "\r\nPosY=" + c.y + "\r\n");
    LoadSettings();
    EXPECT_EQ(PosX, c.posX) << c.x;
    EXPECT_EQ(PosY, c.posY) << c.y;
    EXPECT_TRUE(StoredHas(std::string("PosX=") + std::string(c.x).substr(0, 4))) << c.x;
  }
  SavePosition();
  EXPECT_TRUE(StoredHas("PosX=290"));
  EXPECT_TRUE(StoredHas("PosY=203"));
}

TEST_F(SettingsTest, CentredPositionFollowsTheScreenSize) {
  NullSetScreenSize(1920, 1080);
  LoadSettings();
  EXPECT_EQ(PosX, 738);
  EXPECT_EQ(PosY, 359);
  std::filesystem::remove(SettingsFile);
  NullSetScreenSize(401, 300);  // divisions truncate toward zero
  LoadSettings();
  EXPECT_EQ(PosX, -21);
  EXPECT_EQ(PosY, -31);
}

TEST_F(SettingsTest, SecondLoadTakesTheStoredPositionBack) {
  Store("[Window]\r\nPosX=100\r\nPosY=50\r\n");
  LoadSettings();
  PosX = 500;  // the window moved since
  PosY = 400;
  LoadSettings();
  EXPECT_EQ(PosX, 100);
  EXPECT_EQ(PosY, 50);
  PosX = 65516;
  SavePosition();
  EXPECT_TRUE(StoredHas("PosX=65516"));
  LoadSettings();
  EXPECT_EQ(PosX, 290);
}

TEST_F(SettingsTest, PatternsNeedTheImageWhateverTheFileSays) {
  struct Case { bool image; const char* stored; int mode; const char* written; } cases[] = {
      {false, "Motifs=1\r\n", 0, "Motifs=0"}, {true, "", 1, "Motifs=1"},
      {true, "Motifs=0\r\n", 0, "Motifs=0"}, {true, "Motifs=256\r\n", 1, "Motifs=1"},
  };
  for (const Case& c : cases) {
    ImageLoaded = c.image;
    PatternMode = uint8_t(1 - c.mode);
    Store(std::string("[Jeu]\r\n") + c.stored);
    LoadPatternSetting();
    EXPECT_EQ(PatternMode, c.mode) << c.stored;
    WriteToggle(PatternMode, 40010, "Motifs");
    EXPECT_EQ(MenuCommandChecked(40010), c.mode != 0);
    EXPECT_TRUE(StoredHas(c.written)) << c.stored;
  }
}

TEST_F(SettingsTest, TrimSpacesDropsOnlyOuterSpaces) {
  struct Case { const char* in; const char* out; } cases[] = {
      {"", ""}, {"    ", ""}, {"  a b  ", "a b"}, {"\ta\t", "\ta\t"}, {"x", "x"},
  };
  for (const Case& c : cases) {
    char text[33];
    std::snprintf(text, sizeof text, "%s", c.in);
    TrimSpaces(text);
    EXPECT_STREQ(text, c.out) << '"' << c.in << '"';
  }
}

}  // namespace
