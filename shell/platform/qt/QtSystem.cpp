// Screen size and computer name under Qt.
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <unistd.h>

#include "shell/platform/System.h"

int ScreenWidth() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 1024;
}

int ScreenHeight() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 768;
}

// The host name is this system's computer name.
void ComputerName(char* out, int size) {
  char name[256] = "";
  if (gethostname(name, sizeof name - 1) != 0) name[0] = '\0';
  std::snprintf(out, size_t(size), "%s", name);
}
