// Fonts under Qt: the names the program asks for, resolved by fontconfig, and text on pixel buffers.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "shell/platform/Text.h"
#include "shell/platform/qt/QtBackend.h"

// Sizes chosen so the layouts keep their places: 16-pixel lines everywhere, and
// about 28 characters across the log's 172 pixels.
static QFont MakeFont(FontId id) {
  QFont f;
  switch (id) {
    case StatsFont:
      f = QFont("Arial");
      f.setPixelSize(15);
      break;
    case LogFont:
      f = QFont("MS Sans Serif");
      f.setStyleHint(QFont::SansSerif);
      f.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
      f.setPixelSize(11);
      break;
    case DefaultFont:
      f = QFont("DejaVu Sans");
      f.setPixelSize(11);
      break;
  }
  f.setBold(true);
  return f;
}

static const QFont& FontOf(FontId id) {
  static const QFont fonts[3] = {MakeFont(DefaultFont), MakeFont(StatsFont), MakeFont(LogFont)};
  return fonts[id];
}

int FontTextWidth(FontId font, const char* text, int len) {
  return QFontMetrics(FontOf(font)).horizontalAdvance(FromCp1252(text, len));
}

int FontLineHeight(FontId) { return 16; }

void FontDrawText(uint32_t* pixels, int w, int h, FontId font, uint32_t colour, int x, int y,
                  const char* text, int len, TextRect clip) {
  QImage image(reinterpret_cast<uchar*>(pixels), w, h, w * 4, QImage::Format_RGB32);
  QPainter p(&image);
  p.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
  p.setFont(FontOf(font));
  p.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  QFontMetrics m(FontOf(font));
  // Centre the font's own height in the 16-pixel line, as the original fonts filled it.
  int top = y + (FontLineHeight(font) - m.height()) / 2;
  p.drawText(x, top + m.ascent(), FromCp1252(text, len));
}
