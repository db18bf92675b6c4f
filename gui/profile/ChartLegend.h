// The profile chart's legend: every entry, in rows that wrap to the width
// given, so that no entry is cut off or dropped however many curves are
// drawn.  An item of the chart's scene, so that it is drawn with the charts
// on the screen and in every export.
#pragma once

#include <QBrush>
#include <QFont>
#include <QGraphicsObject>
#include <QPen>
#include <QScatterSeries>
#include <QString>
#include <optional>
#include <vector>

namespace saiha::profile {

class ChartLegend final : public QGraphicsObject {
  Q_OBJECT

 public:
  // One entry: a line in its pen (its dashes tell the shoaling rules apart),
  // with the marker of its breaking point when it has one; or a filled box.
  struct Entry {
    QString name;
    QPen pen;
    QBrush fill = Qt::NoBrush;  // set for an area
    std::optional<QScatterSeries::MarkerShape> marker;
  };

  explicit ChartLegend(QGraphicsItem* parent = nullptr);

  void setEntries(std::vector<Entry> entries);
  const std::vector<Entry>& entries() const { return entries_; }

  // The height the entries need in rows of `width`; setWidth lays them out.
  double heightFor(double width) const;
  void setWidth(double width);
  // Each entry's box in the item's coordinates, as laid out.
  const std::vector<QRectF>& entryBoxes() const { return boxes_; }

  QRectF boundingRect() const override { return QRectF(0, 0, width_, height_); }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

 private:
  static constexpr double kSample = 40;  // the line sample's length
  double entryWidth(const Entry& entry) const;
  std::vector<QRectF> layout(double width) const;

  QFont font_;
  std::vector<Entry> entries_;
  std::vector<QRectF> boxes_;
  double width_ = 0;
  double height_ = 0;
};

}  // namespace saiha::profile
