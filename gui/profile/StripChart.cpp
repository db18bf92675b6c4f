#include "gui/profile/StripChart.h"

#include <QLegend>
#include <QMouseEvent>

namespace saiha::profile {

StripChart::StripChart(QChart* chart, int left, int right, int bottom, QWidget* parent)
    : QChartView(chart, parent), left_(left), right_(right), bottom_(bottom) {
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  chart->setMargins(QMargins(0, 0, 0, 0));
  chart->setBackgroundRoundness(0);
  chart->legend()->detachFromChart();
  chart->legend()->setBackgroundVisible(true);
  chart->legend()->setBrush(QColor(255, 255, 255, 210));
  chart->legend()->setPen(QPen(QColor(0xbb, 0xbb, 0xbb)));
  setMinimumHeight(60);
}

void StripChart::place() {
  const QRectF area(left_, 6, std::max(10, width() - left_ - right_),
                    std::max(10, height() - 6 - bottom_));
  chart()->resize(size());
  chart()->setPlotArea(area);
  // The legend in one line at the plot's top right.
  QLegend* legend = chart()->legend();
  const QSizeF hint = legend->effectiveSizeHint(Qt::PreferredSize);
  legend->setGeometry(QRectF(area.right() - hint.width() - 4, area.top() + 2, hint.width(),
                             hint.height()));
}

void StripChart::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  place();
}

void StripChart::mouseMoveEvent(QMouseEvent* event) {
  QChartView::mouseMoveEvent(event);
  const QPointF scene = mapToScene(event->position().toPoint());
  const QPointF local = chart()->mapFromScene(scene);
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
