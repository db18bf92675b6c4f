#include "gui/style.h"

namespace saiha::gui {

QFont sheetFont() {
  // IPA P Gothic at 12 pixels (9 points at 96 dpi): the proportional face
  // keeps the full-width brackets narrow, so the longest caption, "砕波波高（ｍ）",
  // fits its 73-pixel label.  A pixel size keeps text and layout, both in
  // pixels, scaling together.
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont sheetFont(int pixelSize, bool bold) {
  QFont font(sheetFont().family());
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QColor breakerColor(shore::BreakerLimit breaker) {
  switch (breaker) {
    case shore::BreakerLimit::Goda1970: return palette::kHeight;
    case shore::BreakerLimit::Goda2010: return {0x00, 0x97, 0xa7};
    case shore::BreakerLimit::McCowan: return {0xc2, 0x18, 0x5b};
    case shore::BreakerLimit::Kamphuis: return {0x21, 0x21, 0x21};
    case shore::BreakerLimit::Miche: return {0x82, 0x77, 0x17};
  }
  return Qt::black;
}

QString errorStyle() { return QStringLiteral("color: #b00020; font-weight: bold;"); }
QString noteStyle() { return QStringLiteral("color: #8a5a00;"); }

}  // namespace saiha::gui
