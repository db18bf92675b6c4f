// One strip of a stacked chart: a chart view with its legend in one line
// inside the plot's top left corner, whose side margins the stack sets so
// that strips one above another share the x axis's scale to the pixel
// whatever their y axes' labels.  It says where along x the pointer is.
#pragma once

#include <QChartView>

namespace saiha::profile {

class StripChart final : public QChartView {
  Q_OBJECT

 public:
  explicit StripChart(QChart* chart, QWidget* parent = nullptr);

  // The room the chart's own layout gives the y axes beside the plot (px),
  // without the side margins.
  int axesLeft() const { return axesLeft_; }
  int axesRight() const { return axesRight_; }
  // Side margins that put the plot's edges at `left` and `right` px from the
  // chart's edges, given the axes' room above.
  void alignPlot(int left, int right);

 signals:
  // The pointer over the plot at x (chart value); left when it goes.
  void hovered(double x);
  void left();
  // The chart laid its plot out anew.
  void plotMoved();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void placeLegend();

  int axesLeft_ = 0, axesRight_ = 0;
};

}  // namespace saiha::profile
