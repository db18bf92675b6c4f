#include "gui/profile/ChartLegend.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "gui/style.h"

namespace saiha::profile {

namespace {
constexpr double kGap = 18;      // between entries of a row
constexpr double kRowGap = 4;    // between rows
constexpr double kPadding = 4;   // around the rows

void drawMarker(QPainter* painter, QScatterSeries::MarkerShape shape, QPointF at, double size) {
  const QRectF box(at.x() - size / 2, at.y() - size / 2, size, size);
  switch (shape) {
    case QScatterSeries::MarkerShapeRectangle: painter->drawRect(box); break;
    case QScatterSeries::MarkerShapeRotatedRectangle: {
      const QPointF diamond[] = {{at.x(), box.top()}, {box.right(), at.y()},
                                 {at.x(), box.bottom()}, {box.left(), at.y()}};
      painter->drawPolygon(diamond, 4);
      break;
    }
    case QScatterSeries::MarkerShapeTriangle: {
      const QPointF triangle[] = {{at.x(), box.top()}, {box.right(), box.bottom()},
                                  {box.left(), box.bottom()}};
      painter->drawPolygon(triangle, 3);
      break;
    }
    default: painter->drawEllipse(box); break;
  }
}
}  // namespace

ChartLegend::ChartLegend(QGraphicsItem* parent) : QGraphicsObject(parent) {
  font_ = gui::sheetFont(12, false);
  setZValue(900);
}

void ChartLegend::setEntries(std::vector<Entry> entries) {
  entries_ = std::move(entries);
  setWidth(width_);
}

double ChartLegend::entryWidth(const Entry& entry) const {
  return kSample + 6 + QFontMetricsF(font_).horizontalAdvance(entry.name);
}

std::vector<QRectF> ChartLegend::layout(double width) const {
  // Left to right, a new row whenever the next entry would pass the right
  // edge; an entry wider than the whole width has a row of its own.
  std::vector<QRectF> boxes;
  const double rowHeight = std::max(QFontMetricsF(font_).height(), 14.0);
  double x = kPadding, y = kPadding;
  for (const Entry& entry : entries_) {
    const double w = entryWidth(entry);
    if (x > kPadding && x + w > width - kPadding) {
      x = kPadding;
      y += rowHeight + kRowGap;
    }
    boxes.emplace_back(x, y, w, rowHeight);
    x += w + kGap;
  }
  return boxes;
}

double ChartLegend::heightFor(double width) const {
  const std::vector<QRectF> boxes = layout(width);
  return boxes.empty() ? 0 : boxes.back().bottom() + kPadding;
}

void ChartLegend::setWidth(double width) {
  prepareGeometryChange();
  width_ = width;
  boxes_ = layout(width);
  height_ = boxes_.empty() ? 0 : boxes_.back().bottom() + kPadding;
  update();
}

void ChartLegend::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setFont(font_);
  for (std::size_t i = 0; i < entries_.size() && i < boxes_.size(); ++i) {
    const Entry& entry = entries_[i];
    const QRectF& box = boxes_[i];
    const double middle = box.center().y();
    const QRectF sample(box.left(), box.top() + 2, kSample, box.height() - 4);
    if (entry.fill.style() != Qt::NoBrush) {
      painter->setPen(entry.pen);
      painter->setBrush(entry.fill);
      painter->drawRect(sample.adjusted(4, 1, -4, -1));
    } else {
      QPen pen = entry.pen;
      pen.setCapStyle(Qt::FlatCap);
      painter->setPen(pen);
      painter->drawLine(QPointF(sample.left(), middle), QPointF(sample.right(), middle));
      if (entry.marker) {
        painter->setPen(QPen(entry.pen.color().darker(140), 1));
        painter->setBrush(entry.pen.color());
        drawMarker(painter, *entry.marker, QPointF(sample.center().x(), middle), 9);
      }
    }
    painter->setPen(QColor(0x20, 0x20, 0x20));
    painter->setBrush(Qt::NoBrush);
    painter->drawText(QRectF(sample.right() + 6, box.top(), box.width() - kSample - 6, box.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, entry.name);
  }
}

}  // namespace saiha::profile
