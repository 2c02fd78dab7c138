// Settings: read from "Ploxen.ini" key by key, each value written straight back.
#include "shell/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/BackgroundImage.h"
#include "display/Playfield.h"
#include "game/Falling.h"
#include "resources/Identifiers.h"
#include "shell/platform/Menu.h"
#include "shell/platform/Profile.h"
#include "shell/platform/Surface.h"
#include "shell/platform/System.h"

int32_t SoundOn = 1;
int32_t MusicOn = 1;
int32_t PosX = 0;
int32_t PosY = 0;
bool WindowPlaced = false;

void TrimSpaces(char* text) {
  size_t start = 0;
  while (text[start] == ' ') ++start;
  size_t end = std::strlen(text);
  while (end > start && text[end - 1] == ' ') --end;
  std::memmove(text, text + start, end - start);
  text[end - start] = 0;
}

void WriteSettingText(const char* section, const char* key, const char* text) {
  WriteProfileString(section, key, text, SettingsFile);
}

void WriteSettingInt(const char* section, const char* key, int32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "%d", int(value));
  WriteSettingText(section, key, text);
}

void ReadIntSetting(const char* section, const char* key, int32_t def, int32_t* out) {
  char defText[12];
  std::snprintf(defText, sizeof defText, "%d", int(def));
  // Five bytes: only the first four characters of a stored number count ("5001" fits, a
  // five-digit port does not), and the cut text is what goes back into the file.
  char text[5];
  ReadProfileString(section, key, defText, text, sizeof text, SettingsFile);
  *out = int32_t(std::strtol(text, nullptr, 10));
  WriteSettingText(section, key, text);
}

// The stored alias without its outer spaces; the program never plays under an empty name.
static void LoadAlias(const char* computer) {
  ReadProfileString("Reseau", "Alias", computer, Alias, sizeof Alias, SettingsFile);
  TrimSpaces(Alias);
  if (Alias[0] == 0) std::snprintf(Alias, sizeof Alias, "%s", computer);
  WriteSettingText("Reseau", "Alias", Alias);
}

// Stored position, or the one that centres the whole window on the screen.
static void LoadPosition() {
  int32_t width = ScreenWidth();
  int32_t height = ScreenHeight();
  int32_t centredX = (width - FrameWidth) / 2 + ClientLeft;
  int32_t centredY = (height - FrameHeight) / 2 + ClientTop;
  int32_t x = PosX, y = PosY;
  ReadIntSetting("Window", "PosX", centredX, &PosX);
  ReadIntSetting("Window", "PosY", centredY, &PosY);
  // A later read (the keyboard dialog's) leaves the window where it is now: a
  // move made since start-up is what shutdown stores.
  if (WindowPlaced) {
    PosX = x, PosY = y;
    return;
  }
  // A window closed partly off the screen records a wrapped, huge position; it would
  // otherwise start out of sight. The file keeps the old value until shutdown.
  if (PosX < 0 || PosX > width) PosX = centredX;
  if (PosY < 0 || PosY > height) PosY = centredY;
}

// A port has up to five digits, which the four-character reads would cut;
// one outside 1..65535 gives way to the default, in memory and in the file.
static void LoadPort() {
  char text[12];
  ReadProfileString("Reseau", "Port", "5001", text, sizeof text, SettingsFile);
  long port = std::strtol(text, nullptr, 10);
  NetPort = port >= 1 && port <= 65535 ? int32_t(port) : 5001;
  WriteSettingInt("Reseau", "Port", NetPort);
}

// The order of the reads is the order of the keys in a file the program creates. All of its
// write-backs reach the disk as one write, and none when nothing changed.
void LoadSettings() {
  RemoveUnfinishedWrite(SettingsFile);
  HoldProfileWrites();
  char computer[33];
  ComputerName(computer, sizeof computer);
  TrimSpaces(computer);
  LoadAlias(computer);
  ReadProfileString("Reseau", "Serveur", "127.0.0.1", ServerName, sizeof ServerName, SettingsFile);
  WriteSettingText("Reseau", "Serveur", ServerName);
  ReadIntSetting("Reseau", "Max", 8, &MaxPlayers);
  LoadPort();
  ReadIntSetting("Clavier", "Gauche", DefaultKeyLeft, &KeyLeft);
  ReadIntSetting("Clavier", "Droite", DefaultKeyRight, &KeyRight);
  ReadIntSetting("Clavier", "Bas", DefaultKeyDown, &KeyDown);
  ReadIntSetting("Clavier", "Rotg", DefaultKeyRotLeft, &KeyRotLeft);
  ReadIntSetting("Clavier", "Rotd", DefaultKeyRotRight, &KeyRotRight);
  ReadIntSetting("Jeu", "Bruitages", 1, &SoundOn);
  ReadIntSetting("Jeu", "Musique", 1, &MusicOn);
  LoadPosition();
  ReleaseProfileWrites();
}

void LoadPatternSetting() {
  int32_t value = 0;
  ReadIntSetting("Jeu", "Motifs", ImageLoaded ? 1 : 0, &value);
  // Without the picture there is nothing to draw patterns from, whatever the file says; any
  // other nonzero value means on (PatternMode is one byte, so 256 must not wrap to off).
  PatternMode = ImageLoaded && value != 0 ? 1 : 0;
}

void LoadGhostSetting() {
  int32_t value = 0;
  ReadIntSetting("Jeu", "Fantome", 0, &value);
  GhostMode = value != 0 ? 1 : 0;
}

void WriteToggle(int32_t value, int command, const char* key) {
  CheckMenuCommand(command, value != 0);
  WriteSettingInt("Jeu", key, value);
}

void SavePosition() {
  WriteSettingInt("Window", "PosX", PosX);
  WriteSettingInt("Window", "PosY", PosY);
}
