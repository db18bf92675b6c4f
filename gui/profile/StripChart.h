// One strip of a stacked chart: a chart view whose plot area keeps fixed
// margins, so that strips stacked one above another share the x axis's
// scale to the pixel whatever their y axes' labels, with its legend inside
// the plot's top right corner.  It says where along x the pointer is.
#pragma once

#include <QChartView>

namespace saiha::profile {

class StripChart final : public QChartView {
  Q_OBJECT

 public:
  // `left` and `right`: room for the y axes' labels and titles (px);
  // `bottom`: room for the x axis's labels and title, 0 for none.
  StripChart(QChart* chart, int left, int right, int bottom, QWidget* parent = nullptr);

 signals:
  // The pointer over the plot at x (chart value); left when it goes.
  void hovered(double x);
  void left();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void place();

  int left_, right_, bottom_;
};

}  // namespace saiha::profile
