// The MessageLog: text painted into a surface that scrolls down by one block copy per message.
#include "display/MessageLog.h"

#include <deque>
#include <string>

#include "display/BackgroundImage.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "shell/platform/Surface.h"

const char ClearLogCommand[] = "\x01";
bool LogHeld = true;

static const int LogX = 270;  // where the log lies in the window
static const int LogY = 148;
static const int LogImageX = 70;  // the image's columns behind the log
static const int LogWidth = 180;
static const int ShownHeight = 252;
// Rows 252..264 catch text scrolled out of view; they are never shown.
static const int LogHeight = 265;
static const uint32_t White = 0xFFFFFF;

static Surface* g_log = nullptr;

struct AppendedLine {
  std::string text;
  uint32_t colour;
};
static const size_t RecordedLines = 64;
static std::deque<AppendedLine> g_record;

void CreateLogSurface() {
  FreeLogSurface();
  g_log = CreateSurface(LogWidth, LogHeight);
  SurfaceSelectFont(g_log, LogFont);
}

void FreeLogSurface() {
  if (g_log) DeleteSurface(g_log);
  g_log = nullptr;
}

static void Record(const char* text, uint32_t colour) {
  if (text[0] == ClearLogCommand[0]) {
    g_record.clear();
    return;
  }
  g_record.push_front({text, colour});
  if (g_record.size() > RecordedLines) g_record.pop_back();
}

// Pushes the picture down by the new text's height and draws the text on top.
static void PaintMessage(const char* text) {
  TextRect r = SurfaceMeasureText(g_log, {2, 0, 174, 16}, text);
  SurfaceBlit(g_log, 0, r.bottom, LogWidth, ShownHeight, g_log, 0, 0, CopyPixels);
  SurfaceRectangle(g_log, 0, 0, LogWidth, r.bottom);
  SurfaceDrawText(g_log, r, text);
}

void AppendMessage(const char* text, uint32_t colour) {
  Record(text, colour);
  if (!g_log) return;
  SurfaceTextColour(g_log, colour);
  SelectBrushAndPen(g_log, White, White);
  if (text[0] == ClearLogCommand[0]) SurfaceRectangle(g_log, 0, 0, LogWidth, LogHeight);
  else PaintMessage(text);
  ReleaseBrushAndPen(g_log);
  if (!LogHeld) PresentMessageLog();
}

// On the image the white background must leave the picture as it is, so the
// log is ANDed onto it: text darkens the image by its colour's bits.
void PresentMessageLog() {
  if (!g_log) return;
  Surface* window = WindowSurface();
  if (!PanelsOnImage()) {
    SurfaceBlit(window, LogX, LogY, LogWidth, ShownHeight, g_log, 0, 0, CopyPixels);
    return;
  }
  SurfaceBlit(window, LogX, LogY, LogWidth, ShownHeight, ImageSurface, LogImageX, LogY,
              CopyPixels);
  SurfaceBlit(window, LogX, LogY, LogWidth, ShownHeight, g_log, 0, 0, AndPixels);
}

static const uint32_t Green = 0x008000;
static const uint32_t Red = 0x0000FF;
static const uint32_t Purple = 0x800080;
static const uint32_t Black = 0x000000;
static const char Separator[] = "---------------------------------";

// Appended bottom line first: each text goes on top of the ones before.
static const struct {
  const char* text;
  uint32_t colour;
} StartupText[] = {
    {"  Espace=d\xE9marrer jeu", Green},    {"  Enter=envoi message", Green},
    {Separator, Red},                       {"En r\xE9seau :", Purple},
    {"", Black},                            {"  Ctrl/Haut=rotation", Green},
    {"  Bas=descendre", Green},             {"  Gauche/Droite=d\xE9plac.", Green},
    {Separator, Red},                       {"Touches par d\xE9" "faut :", Purple},
    {"", Black},                            {" Ploxen 1.0 - par Vorbu", Black},
};

void WriteStartupText() {
  for (const auto& line : StartupText) AppendMessage(line.text, line.colour);
  LogHeld = false;
  AppendMessage("", Black);  // the first copy of the finished log to the window
}

const char* MessageLine(int index) {
  return index >= 0 && size_t(index) < g_record.size() ? g_record[index].text.c_str() : nullptr;
}

uint32_t MessageColour(int index) {
  return index >= 0 && size_t(index) < g_record.size() ? g_record[index].colour : 0;
}
