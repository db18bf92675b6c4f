// The caisson drawn to scale on its rubble mound: the seabed at depth h, the
// mound with its berm BM at depth d, the caisson B wide from its base at h′
// below the still water to its crest hc above it, the still-water level,
// and Goda's pressures on the seaward face (η*, p1 at the still water, p3 at
// the base, p4 at the crest, p2 at the seabed's depth) with the uplift
// triangle pu under the base.  Lengths in metres share one scale in both
// directions; pressures have a scale of their own, the same for every
// pressure, so that each arrow's length is in proportion to its value.
#pragma once

#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QStringList>
#include <QWidget>
#include <array>

#include "structure/caisson.h"

class QPainter;

namespace saiha::profile {

class CaissonDiagram final : public QWidget {
  Q_OBJECT

 public:
  explicit CaissonDiagram(QWidget* parent = nullptr);

  // The section and its results; labels[i] names pressure i (Pressure) as
  // the page words it ("p1 = 108.8 kPa").  Nothing is drawn for a failed
  // result.
  enum Pressure { EtaStar, P1, P2, P3, P4, Pu, PressureCount };
  void setSection(const structure::CaissonInput& in, const structure::CaissonResult& result,
                  const std::array<QString, PressureCount>& labels);
  void clear();
  bool hasSection() const { return shown_; }

  // The drawing's geometry inside `area` (pixels): where a length of one
  // metre and a pressure of one pascal go.
  struct Layout {
    QRectF area;
    double pixelsPerMetre = 0;
    double pixelsPerPascal = 0;
    QPointF origin;  // the still water at the seaward face
    // Each pressure's arrow, from its tail (seaward, or below the base for
    // pu) to the face (or the base); for EtaStar the face from the still
    // water up to η*.  A null line for a pressure not drawn (p4 where η* ≤
    // hc).
    std::array<QLineF, PressureCount> arrows;
  };
  Layout layout(const QRectF& area) const;
  // The layout in the widget as it is now.
  Layout currentLayout() const { return layout(QRectF(rect())); }
  // Draws into `area` of any painter: the widget, a picture for the report.
  void paint(QPainter& painter, const QRectF& area) const;

  QSize minimumSizeHint() const override { return {280, 240}; }
  QSize sizeHint() const override { return {520, 460}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool shown_ = false;
  structure::CaissonInput in_;
  structure::CaissonResult r_;
  std::array<QString, PressureCount> labels_;
};

}  // namespace saiha::profile
