// The MessageLog's text: the lines and colours that its drawing shows.
#include "display/MessageLog.h"

#include <deque>
#include <string>

const char ClearLogCommand[] = "\x01";

struct LogLine {
  std::string text;
  uint32_t colour;
};

// Lines that have scrolled far out of view are not kept.
static const size_t KeptLines = 64;
static std::deque<LogLine> g_lines;

void AppendMessage(const char* text, uint32_t colour) {
  if (text[0] == ClearLogCommand[0]) {
    g_lines.clear();
    return;
  }
  g_lines.push_front({text, colour});
  if (g_lines.size() > KeptLines) g_lines.pop_back();
}

// The log reaches the screen with the window's panels.
void PresentMessageLog() {}

const char* MessageLine(int index) {
  return index >= 0 && size_t(index) < g_lines.size() ? g_lines[index].text.c_str() : nullptr;
}

uint32_t MessageColour(int index) {
  return index >= 0 && size_t(index) < g_lines.size() ? g_lines[index].colour : 0;
}
