#include "gui/profile/StripChart.h"

#include <QLegend>
#include <QLegendMarker>
#include <QMouseEvent>
#include <cmath>

namespace saiha::profile {

StripChart::StripChart(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  chart->setMargins(QMargins(0, 4, 0, 2));
  chart->setBackgroundRoundness(0);
  QLegend* legend = chart->legend();
  legend->setAlignment(Qt::AlignTop);
  legend->detachFromChart();
  legend->setBackgroundVisible(true);
  legend->setBrush(QColor(255, 255, 255, 220));
  legend->setPen(QPen(QColor(0xbb, 0xbb, 0xbb)));
  setMinimumHeight(60);
  connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
    // The axes' room as this layout gave it, with the margins it used
    // (a margin set since is laid out later).
    const QMargins margins = this->chart()->margins();
    axesLeft_ = int(std::lround(area.left())) - margins.left();
    axesRight_ = int(std::lround(this->chart()->size().width() - area.right())) - margins.right();
    placeLegend();
    emit plotMoved();
  });
}

void StripChart::alignPlot(int left, int right) {
  const QMargins now = chart()->margins();
  const QMargins wanted(std::max(0, left - axesLeft_), now.top(), std::max(0, right - axesRight_),
                        now.bottom());
  if (wanted != now) chart()->setMargins(wanted);
}

void StripChart::placeLegend() {
  // The legend in one line at the plot's top left, over the calmer sea, as wide as its names.
  QLegend* legend = chart()->legend();
  const QFontMetrics metrics(legend->font());
  qreal width = 8;
  for (const QLegendMarker* marker : legend->markers()) {
    if (marker->isVisible()) width += metrics.horizontalAdvance(marker->label()) + 34;
  }
  const QRectF area = chart()->plotArea();
  const qreal height = metrics.height() + 12;
  legend->setGeometry(QRectF(area.left() + 2, area.top() + 2, width, height));
  legend->update();
}

void StripChart::mouseMoveEvent(QMouseEvent* event) {
  QChartView::mouseMoveEvent(event);
  const QPointF local = chart()->mapFromScene(mapToScene(event->position().toPoint()));
  if (chart()->plotArea().contains(local) && !chart()->series().isEmpty()) {
    emit hovered(chart()->mapToValue(local, chart()->series().constFirst()).x());
  } else {
    emit left();
  }
}

void StripChart::leaveEvent(QEvent* event) {
  QChartView::leaveEvent(event);
  emit left();
}

}  // namespace saiha::profile
