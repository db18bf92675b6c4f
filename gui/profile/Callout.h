// A label tied to a point of the profile chart's plot.
#pragma once

#include <QChart>
#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

namespace saiha::profile {

// A label tied to a point of the plot: its text on a pale box, above or
// below the point, kept inside the plot horizontally.  Drawn by hand rather
// than as a series' point label so that it can stand clear of the curves and
// stay readable over the water and the seabed.  Where labels of several
// points would overlap, later ones step aside (settle); a leader line ties
// each box to its point.
class Callout final : public QGraphicsItem {
 public:
  enum class Side { Above, Below };

  // The box's border is drawn in `color` and `border`, those of its curve.
  Callout(QChart* chart, QAbstractSeries* series, const QColor& color, Side side,
          Qt::PenStyle border = Qt::SolidLine);

  void show(const QString& text, QPointF value);
  // No point to label.
  void dismiss();
  bool wanted() const { return wanted_; }

  // The box at its own side of the point, before any other label is seen.
  void place();

  // Moves the box off the boxes in `taken`: further out on its own side,
  // then on the other side of the point; hidden when neither fits in the
  // plot.  A shown box is added to `taken`.
  void settle(std::vector<QRectF>& taken);

  QString text() const { return text_; }
  // The box as placed, in the chart's coordinates.
  QRectF box() const { return box_; }

  // The box and its leader line down (or up) to the point.
  QRectF boundingRect() const override {
    return box_.united(QRectF(anchor_, QSizeF(1, 1))).adjusted(-2, -2, 2, 2);
  }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

 private:
  static QFont font();
  double top(Side side, double height) const {
    return side == Side::Above ? anchor_.y() - 10 - height : anchor_.y() + 10;
  }

  QChart* chart_;
  QAbstractSeries* series_;
  QColor color_;
  Side side_;
  Qt::PenStyle border_;
  QString text_;
  QPointF value_;
  QPointF anchor_;
  QRectF box_;
  bool wanted_ = false;
};

}  // namespace saiha::profile
