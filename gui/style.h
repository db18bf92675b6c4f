// What the windows share in their looks: the typeface of the calculation
// sheet and the colours of the profile window's curves and notes.  Both
// windows take them from here, so neither needs the other.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "shore/model_choice.h"

namespace saiha::gui {

// The typeface and size every control of the calculation window is drawn
// with: IPA P Gothic at 12 pixels.
QFont sheetFont();
// The sheet's typeface at another pixel size, for the chart's texts.
QFont sheetFont(int pixelSize, bool bold);

// Colours: the wave in blue, the limits in warm tones, the second quantity
// in green, the seabed in sand over pale water.
namespace palette {
inline const QColor kHeight(0x1f, 0x5f, 0xbf);
inline const QColor kLimit(0xc0, 0x39, 0x2b);
inline const QColor kUrsell(0x8e, 0x44, 0xad);
inline const QColor kSecondary(0x27, 0x8a, 0x4a);
inline const QColor kSand(0xe3, 0xcf, 0x9f);
inline const QColor kSandEdge(0x9c, 0x7b, 0x3c);
inline const QColor kWater(0xdc, 0xec, 0xf8);
inline const QColor kOnset(0xd3, 0x84, 0x00);
inline const QColor kChosen(0x55, 0x55, 0x55);
}  // namespace palette

// The colour of a breaker limit's curve.  Goda's 1970 limit keeps the
// wave's blue; the others stay clear of the reference lines' red and purple,
// the second quantity's green and the onset's orange.
QColor breakerColor(shore::BreakerLimit breaker);

// Style sheets of an error line (bold red) and of a note (brown).
QString errorStyle();
QString noteStyle();

}  // namespace saiha::gui
