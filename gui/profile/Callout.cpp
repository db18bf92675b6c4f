#include "gui/profile/Callout.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <algorithm>

#include "gui/style.h"

namespace saiha::profile {

Callout::Callout(QChart* chart, QAbstractSeries* series, const QColor& color, Side side,
                 Qt::PenStyle border)
    : QGraphicsItem(chart),
      chart_(chart),
      series_(series),
      color_(color),
      side_(side),
      border_(border) {
  setZValue(1000);
  QGraphicsItem::hide();
}

void Callout::show(const QString& text, QPointF value) {
  text_ = text;
  value_ = value;
  wanted_ = true;
  place();
  QGraphicsItem::show();
}

void Callout::dismiss() {
  wanted_ = false;
  QGraphicsItem::hide();
}

void Callout::place() {
  prepareGeometryChange();
  const QFontMetricsF metrics(font());
  const QSizeF size(metrics.horizontalAdvance(text_) + 10, metrics.height() + 6);
  anchor_ = chart_->mapToPosition(value_, series_);
  const QRectF plot = chart_->plotArea();
  double left = anchor_.x() - size.width() / 2;
  left = std::clamp(left, plot.left() + 2,
                    std::max(plot.left() + 2, plot.right() - size.width() - 2));
  box_ = QRectF(QPointF(left, top(side_, size.height())), size);
}

void Callout::settle(std::vector<QRectF>& taken) {
  if (!wanted_) return;
  const QRectF plot = chart_->plotArea();
  for (Side side : {side_, side_ == Side::Above ? Side::Below : Side::Above}) {
    QRectF box = box_;
    box.moveTop(top(side, box.height()));
    for (std::size_t tries = 0; tries <= taken.size(); ++tries) {
      const auto hit = std::find_if(taken.begin(), taken.end(),
                                    [&box](const QRectF& other) { return other.intersects(box); });
      if (hit == taken.end()) break;
      box.moveTop(side == Side::Above ? hit->top() - box.height() - 2 : hit->bottom() + 2);
    }
    const bool clear = std::none_of(taken.begin(), taken.end(),
                                    [&box](const QRectF& other) { return other.intersects(box); });
    if (clear && box.top() >= plot.top() && box.bottom() <= plot.bottom()) {
      prepareGeometryChange();
      box_ = box;
      taken.push_back(box_);
      QGraphicsItem::show();
      return;
    }
  }
  QGraphicsItem::hide();
}

void Callout::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
  painter->setRenderHint(QPainter::Antialiasing);
  // The leader: from the point to the nearest place on the box's edge
  // facing it.
  const QPointF end(std::clamp(anchor_.x(), box_.left() + 3, box_.right() - 3),
                    anchor_.y() < box_.top() ? box_.top() : box_.bottom());
  if (QLineF(anchor_, end).length() > 4) {
    painter->setPen(QPen(color_, 1));
    painter->drawLine(QLineF(anchor_, end));
  }
  painter->setPen(QPen(color_, border_ == Qt::SolidLine ? 1 : 1.5, border_));
  painter->setBrush(QColor(255, 255, 255, 225));
  painter->drawRoundedRect(box_, 3, 3);
  painter->setFont(font());
  painter->setPen(color_.darker(130));
  painter->drawText(box_, Qt::AlignCenter, text_);
}

QFont Callout::font() { return gui::sheetFont(11, true); }

}  // namespace saiha::profile
