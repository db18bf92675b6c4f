// The view 不規則波（合田）: Goda's significant height H1/3 and maximum
// height Hmax of an irregular sea against the distance from the shoreline,
// on the beach of the calculation window, with the sea's H0′ and T1/3 in
// boxes of their own (by default the calculation window's Ho and T).
#pragma once

#include <QWidget>

#include "shore/random_waves.h"

class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QValueAxis;

namespace saiha::profile {

class RandomView final : public QWidget {
  Q_OBJECT

 public:
  explicit RandomView(QWidget* parent = nullptr);

  // The beach and the regular wave of the calculation window: the slope 1/n,
  // and Ho and T as the defaults of H0′ and T1/3 while the user has not
  // typed them.
  void setBeach(double n, double Ho, double T);
  const shore::RandomProfile& profile() const { return profile_; }
  // The boxes H0′ and T1/3 as typed, and whether the user typed them.
  QString heightText() const;
  QString periodText() const;
  bool typed() const { return typed_; }
  // Puts texts in both boxes.  Typed: they stay when the beach changes;
  // otherwise the next setBeach replaces them with Ho and T.
  void setInputs(const QString& height, const QString& period, bool typed);
  // The text of the station under the cursor; empty when none.
  QString hoverText() const;
  // The chart's least height, so that no axis label is cut off.
  static constexpr int kChartMinimumHeight = 280;

 signals:
  // The boxes were read again (typed, or set from the beach).
  void seaChanged();

 private:
  void redraw();
  void showStation(double x);

  double n_ = 0;
  bool typed_ = false;
  shore::RandomProfile profile_;
  QLineEdit* height_ = nullptr;
  QLineEdit* period_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* hover_ = nullptr;
  QChartView* view_ = nullptr;
  QLineSeries* significant_ = nullptr;
  QLineSeries* maximum_ = nullptr;
  QLineSeries* edge_ = nullptr;
  QValueAxis* xAxis_ = nullptr;
  QValueAxis* yAxis_ = nullptr;
};

}  // namespace saiha::profile
