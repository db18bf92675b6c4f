#include "gui/profile/CaissonDiagram.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "gui/style.h"

namespace saiha::profile {

namespace {

const QColor kCaisson(0xb8, 0xb8, 0xb8);
const QColor kCaissonEdge(0x55, 0x55, 0x55);
const QColor kMound(0x9a, 0x94, 0x82);
const QColor kStillWater(0x3b, 0x7d, 0xd8);
const QColor kPressure = gui::palette::kLimit;
const QColor kUplift(0x8e, 0x44, 0xad);

// The pressure diagram at its widest is this many caisson widths across.
constexpr double kPressureWidth = 0.9;
// The mound's side slopes, horizontal to vertical.
constexpr double kMoundSlope = 2.0;

QFont labelFont() { return gui::sheetFont(12, false); }

void arrow(QPainter& painter, const QLineF& line, const QColor& colour) {
  if (line.isNull() || line.length() < 1) return;
  painter.setPen(QPen(colour, 1.6));
  painter.drawLine(line);
  // The head at the line's end, where the pressure acts.
  const double head = std::min(7.0, line.length() * 0.5);
  const QLineF back(line.p2(), line.p1());
  QLineF left = back, right = back;
  left.setLength(head);
  right.setLength(head);
  left.setAngle(back.angle() + 25);
  right.setAngle(back.angle() - 25);
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF({line.p2(), left.p2(), right.p2()}));
}

// A label with a pale box behind it, so that it reads over the drawing;
// `anchor` is its right (alignRight) or left end, vertically centred.
void label(QPainter& painter, const QString& text, QPointF anchor, bool alignRight, const QColor& colour) {
  if (text.isEmpty()) return;
  const QFontMetricsF metrics(painter.font());
  const double w = metrics.horizontalAdvance(text) + 6, h = metrics.height() + 2;
  QRectF box(alignRight ? anchor.x() - w : anchor.x(), anchor.y() - h / 2, w, h);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 215));
  painter.drawRect(box);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

CaissonDiagram::CaissonDiagram(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("caissonDiagram"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAutoFillBackground(false);
}

void CaissonDiagram::setSection(const structure::CaissonInput& in, const structure::CaissonResult& result,
                                const std::array<QString, PressureCount>& labels) {
  in_ = in;
  r_ = result;
  labels_ = labels;
  shown_ = result.ok();
  update();
}

void CaissonDiagram::clear() {
  shown_ = false;
  update();
}

CaissonDiagram::Layout CaissonDiagram::layout(const QRectF& area) const {
  Layout l;
  l.area = area;
  if (!shown_) return l;
  const QFontMetricsF metrics(labelFont());
  double labelWidth = 0;
  for (const QString& text : labels_) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(text));
  labelWidth += 14;
  const double textHeight = metrics.height() + 4;

  const double h = in_.h, hp = in_.hPrime, d = in_.d, hc = in_.hc, B = in_.B, BM = in_.berm;
  const double pmax = std::max({double(r_.p1), double(r_.p2), double(r_.p3), double(r_.pu), 1.0});
  // Metres seaward of the face to the mound's toe, landward of it to the
  // drawing's end (the harbour side cut short), above and below the water.
  const double toe = BM + kMoundSlope * (h - d);
  const double landward = B + std::max(0.25 * B, 2.0);
  const double pressureWidth = kPressureWidth * B;
  const double upliftDepth = pressureWidth * double(r_.pu) / pmax;
  const double top = std::max(hc, double(r_.eta_star));
  const double bottom = std::min(-h, -hp - upliftDepth);
  const QRectF inner = area.adjusted(6, textHeight, -6, -textHeight);
  // One scale for lengths, the largest that fits the mound or the pressures
  // with their labels seaward of the face.
  const double byMound = inner.width() / (landward + toe);
  const double byPressure = (inner.width() - labelWidth) / (landward + pressureWidth);
  const double byHeight = inner.height() / (top - bottom);
  const double ppm = std::max(0.0, std::min({byMound, byPressure, byHeight}));
  l.pixelsPerMetre = ppm;
  l.pixelsPerPascal = ppm * pressureWidth / pmax;
  const double seaward = std::max(toe * ppm, pressureWidth * ppm + labelWidth);
  // Centred in the room left over.
  const double spareX = inner.width() - seaward - landward * ppm;
  const double spareY = inner.height() - (top - bottom) * ppm;
  l.origin = QPointF(inner.left() + spareX / 2 + seaward, inner.top() + spareY / 4 + top * ppm);

  const double sp = l.pixelsPerPascal;
  const auto y = [&](double z) { return l.origin.y() - z * ppm; };
  const double x0 = l.origin.x();
  l.arrows[EtaStar] = QLineF(x0, y(0), x0, y(r_.eta_star));
  l.arrows[P1] = QLineF(x0 - sp * r_.p1, y(0), x0, y(0));
  l.arrows[P3] = QLineF(x0 - sp * r_.p3, y(-hp), x0, y(-hp));
  l.arrows[P2] = QLineF(x0 - sp * r_.p2, y(-h), x0, y(-h));
  if (r_.eta_star > hc && r_.p4 > 0) l.arrows[P4] = QLineF(x0 - sp * r_.p4, y(hc), x0, y(hc));
  l.arrows[Pu] = QLineF(x0, y(-hp) + sp * r_.pu, x0, y(-hp));
  return l;
}

void CaissonDiagram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  paint(painter, QRectF(rect()));
}

void CaissonDiagram::paint(QPainter& painter, const QRectF& area) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(labelFont());
  painter.setClipRect(area);
  const Layout l = layout(area);
  if (!shown_ || !(l.pixelsPerMetre > 0)) {
    painter.restore();
    return;
  }
  const double ppm = l.pixelsPerMetre;
  const double h = in_.h, hp = in_.hPrime, d = in_.d, hc = in_.hc, B = in_.B, BM = in_.berm;
  const double x0 = l.origin.x();
  const auto x = [&](double m) { return x0 + m * ppm; };
  const auto y = [&](double z) { return l.origin.y() - z * ppm; };
  const double left = area.left(), right = area.right();
  const double bottom = area.bottom();

  // Water above the seabed, the seabed below it.
  painter.setPen(Qt::NoPen);
  painter.setBrush(gui::palette::kWater);
  painter.drawRect(QRectF(QPointF(left, y(0)), QPointF(right, y(-h))));
  painter.setBrush(gui::palette::kSand);
  painter.drawRect(QRectF(QPointF(left, y(-h)), QPointF(right, bottom)));
  painter.setPen(QPen(gui::palette::kSandEdge, 1.2));
  painter.drawLine(QPointF(left, y(-h)), QPointF(right, y(-h)));

  // The mound: its berm d below the water, the side slopes down to the
  // seabed, the harbour side cut at the drawing's edge.
  const double harbourBerm = std::max(0.25 * B, 2.0);
  const QPolygonF mound({QPointF(x(-BM - kMoundSlope * (h - d)), y(-h)), QPointF(x(-BM), y(-d)),
                         QPointF(x(B + harbourBerm * 0.5), y(-d)),
                         QPointF(x(B + harbourBerm * 0.5 + kMoundSlope * (h - d)), y(-h))});
  painter.setPen(QPen(kMound.darker(140), 1.2));
  painter.setBrush(kMound);
  painter.drawPolygon(mound);

  // The caisson, from its base h′ below the water to its crest hc above.
  const QRectF caisson(QPointF(x(0), y(hc)), QPointF(x(B), y(-hp)));
  painter.setPen(QPen(kCaissonEdge, 1.5));
  painter.setBrush(kCaisson);
  painter.drawRect(caisson);
  painter.setPen(kCaissonEdge);
  painter.drawText(caisson, Qt::AlignCenter,
                   QStringLiteral("B = %1 m\nh′ = %2 m\nhc = %3 m\nd = %4 m")
                       .arg(B, 0, 'f', 1)
                       .arg(hp, 0, 'f', 1)
                       .arg(hc, 0, 'f', 1)
                       .arg(d, 0, 'f', 1));

  // The still-water level across the drawing.
  QPen still(kStillWater, 1.4, Qt::DashLine);
  painter.setPen(still);
  painter.drawLine(QPointF(left, y(0)), QPointF(x(0), y(0)));
  painter.drawLine(QPointF(x(B), y(0)), QPointF(right, y(0)));
  label(painter, tr("静水面"), QPointF(left + 4, y(0) + QFontMetricsF(painter.font()).height() * 1.6),
        false, kStillWater);

  // Goda's pressure on the face: up to the crest, or to η* below it.
  const double sp = l.pixelsPerPascal;
  QColor fill = kPressure;
  fill.setAlpha(60);
  QPolygonF pressure;
  if (r_.eta_star > hc) {
    pressure << QPointF(x0, y(hc)) << QPointF(x0 - sp * r_.p4, y(hc));
  } else {
    pressure << QPointF(x0, y(r_.eta_star));
  }
  pressure << QPointF(x0 - sp * r_.p1, y(0)) << QPointF(x0 - sp * r_.p3, y(-hp)) << QPointF(x0, y(-hp));
  painter.setPen(QPen(kPressure, 1.5));
  painter.setBrush(fill);
  painter.drawPolygon(pressure);
  // Above the crest, and down to the seabed's depth, as the formulas run.
  painter.setPen(QPen(kPressure, 1.2, Qt::DotLine));
  if (r_.eta_star > hc) painter.drawLine(QPointF(x0 - sp * r_.p4, y(hc)), QPointF(x0, y(r_.eta_star)));
  painter.drawLine(QPointF(x0 - sp * r_.p3, y(-hp)), QPointF(x0 - sp * r_.p2, y(-h)));

  // The uplift under the base: pu at the seaward edge, nothing at the heel.
  QColor upliftFill = kUplift;
  upliftFill.setAlpha(60);
  painter.setPen(QPen(kUplift, 1.5));
  painter.setBrush(upliftFill);
  painter.drawPolygon(QPolygonF({QPointF(x0, y(-hp)), l.arrows[Pu].p1(), QPointF(x(B), y(-hp))}));

  for (const Pressure p : {P1, P3, P4}) arrow(painter, l.arrows[p], kPressure);
  arrow(painter, l.arrows[Pu], kUplift);
  painter.setPen(QPen(kPressure, 1.2, Qt::DashLine));
  painter.drawLine(l.arrows[P2]);

  // η*: a tick at its height on the face.
  painter.setPen(QPen(kPressure, 1.5));
  const QPointF eta = l.arrows[EtaStar].p2();
  painter.drawLine(eta - QPointF(10, 0), eta + QPointF(10, 0));

  // The values, each beside its arrow's tail.
  const QFontMetricsF metrics(painter.font());
  label(painter, labels_[EtaStar], eta - QPointF(14, 0), true, kPressure);
  label(painter, labels_[P1], l.arrows[P1].p1() - QPointF(4, 0), true, kPressure);
  if (!l.arrows[P4].isNull()) {
    // Clear of η*'s label when the two heights lie close.
    double yP4 = l.arrows[P4].p1().y();
    if (std::abs(yP4 - eta.y()) < metrics.height()) yP4 = eta.y() + metrics.height();
    label(painter, labels_[P4], QPointF(l.arrows[P4].p1().x() - 4, yP4), true, kPressure);
  }
  double yP3 = l.arrows[P3].p1().y(), yP2 = l.arrows[P2].p1().y();
  if (yP2 - yP3 < metrics.height()) yP2 = yP3 + metrics.height();
  label(painter, labels_[P3], QPointF(l.arrows[P3].p1().x() - 4, yP3), true, kPressure);
  label(painter, labels_[P2], QPointF(std::min(l.arrows[P2].p1().x(), l.arrows[P3].p1().x()) - 4, yP2),
        true, kPressure);
  label(painter, labels_[Pu], l.arrows[Pu].p1() + QPointF(6, metrics.height() * 0.5), false, kUplift);
  painter.restore();
}

}  // namespace saiha::profile
