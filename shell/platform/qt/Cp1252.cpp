// Windows-1252 conversion: the program's text meets Unicode only inside the Qt back end.
#include "shell/platform/qt/QtBackend.h"

#include <cstring>

// 0x80..0x9F; 0 marks the five bytes that have no character.
static const char16_t High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
    0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

QString FromCp1252(const char* text, int len) {
  if (len < 0) len = int(std::strlen(text));
  QString out;
  out.reserve(len);
  for (int i = 0; i < len; ++i) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    char16_t u = b >= 0x80 && b < 0xA0 ? (High[b - 0x80] ? High[b - 0x80] : 0xFFFD) : b;
    out.append(QChar(u));
  }
  return out;
}

static char ByteOf(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
  for (int i = 0; i < 32; ++i)
    if (High[i] && High[i] == u) return char(0x80 + i);
  return '?';
}

QByteArray ToCp1252(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) out.append(ByteOf(c.unicode()));
  return out;
}
