// The MessageLog: text painted into a surface that scrolls down by one block copy per message.
#include "display/MessageLog.h"

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

void CreateLogSurface() {
  FreeLogSurface();
  g_log = CreateSurface(LogWidth, LogHeight);
  SurfaceSelectFont(g_log, LogFont);
}

void FreeLogSurface() {
  if (g_log) DeleteSurface(g_log);
  g_log = nullptr;
}

// Pushes the picture down by the new text's height and draws the text on top.
static void PaintMessage(const char* text) {
  TextRect r = SurfaceMeasureText(g_log, {2, 0, 174, 16}, text);
  SurfaceBlit(g_log, 0, r.bottom, LogWidth, ShownHeight, g_log, 0, 0, CopyPixels);
  SurfaceRectangle(g_log, 0, 0, LogWidth, r.bottom);
  SurfaceDrawText(g_log, r, text);
}

void AppendMessage(const char* text, uint32_t colour) {
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

static const char Separator[] = "---------------------------------";

// Appended bottom line first: each text goes on top of the ones before.
static const struct {
  const char* text;
  uint32_t colour;
} StartupText[] = {
    {"  Espace=d\xE9marrer jeu", GreenText},    {"  Enter=envoi message", GreenText},
    {Separator, RedText},                       {"En r\xE9seau :", PurpleText},
    {"", BlackText},                            {"  Ctrl/Haut=rotation", GreenText},
    {"  Bas=descendre", GreenText},             {"  Gauche/Droite=d\xE9plac.", GreenText},
    {Separator, RedText},                       {"Touches par d\xE9" "faut :", PurpleText},
    {"", BlackText},                            {" Ploxen 1.0 - par Vorbu", BlackText},
};

void WriteStartupText() {
  for (const auto& line : StartupText) AppendMessage(line.text, line.colour);
  LogHeld = false;
  AppendMessage("", BlackText);  // the first copy of the finished log to the window
}
