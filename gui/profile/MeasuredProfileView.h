// The view 実測断面: random waves across a measured profile read from a CSV
// file (ファイル → 実測断面を開く), computed by shore::transform for the sea
// in the view's own boxes (by default the calculation window's wave).  Four
// strips share the x axis: the heights Hrms and H1/3, the mean water level
// η, the fraction of breaking waves Qb with the longshore current V, and the
// bed with the still-water and mean water levels.
#pragma once

#include <QWidget>
#include <array>

#include "gui/profile/CaseFile.h"
#include "gui/profile/MeasuredProfileModel.h"

class QAbstractAxis;
class QChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QValueAxis;
class QXYSeries;

namespace saiha::profile {

class StripChart;

class MeasuredProfileView final : public QWidget {
  Q_OBJECT

 public:
  explicit MeasuredProfileView(QWidget* parent = nullptr);

  // Reads the profile at `path` and computes across it; false when it cannot
  // be read (errorText() says why, and nothing is drawn).
  bool openProfile(const QString& path);
  // Asks for a profile file (in the folder of the last one) and opens it;
  // false when none was chosen or it could not be read.
  bool askOpenProfile();

  // The calculation window's wave: the sea boxes' defaults while the user
  // has not typed in them.  A wave with no finite Ho, T or αo leaves them.
  void setWave(double Ho, double T, double alpha0);

  // The profile's path, the boxes and the model, for a case; the boxes'
  // texts only when the user typed them.
  MeasuredChoices choices() const;
  // Puts them in the boxes and opens the profile (none for an empty path).
  void setChoices(const MeasuredChoices& choices);

  const MeasuredProfileModel& model() const { return model_; }
  enum Curve { Bed, StillWater, MeanWater, Eta, Hrms, H13, Qb, V, CurveCount };
  // A curve as drawn: the bed's upper edge for Bed.
  QXYSeries* series(Curve curve) const { return series_[curve]; }
  // The message shown for a profile that cannot be read or a sea that
  // cannot be computed; empty otherwise.
  QString errorText() const;
  // The warnings shown; empty for none.
  QString noteText() const;
  // The breaking onset, maximum setup, shoreline and R2% as shown.
  QString summaryText() const;
  // The read-out of the profile point under the pointer; empty when none.
  QString hoverText() const;
  // Shows the read-out of the point nearest x (m), as the pointer does.
  void showPointAt(double x);

 signals:
  // A profile was opened (read or not): the window brings the view forward.
  void profileOpened();

 private:
  void recompute();
  void redraw();
  void clearCurves();
  void alignStrips();
  void setSeaTexts(const SeaTexts& sea);
  void showSeaOrigin();

  MeasuredProfileModel model_;
  bool typed_ = false;
  // The boxes' texts for the calculation window's wave, as last given.
  std::optional<SeaTexts> waveSea_;
  QLabel* file_ = nullptr;
  QLabel* summary_ = nullptr;
  QLineEdit* height_ = nullptr;
  QLineEdit* period_ = nullptr;
  QLineEdit* angle_ = nullptr;
  QLineEdit* tide_ = nullptr;
  QLabel* seaOrigin_ = nullptr;
  QComboBox* dissipation_ = nullptr;
  QComboBox* gamma_ = nullptr;
  QComboBox* roughness_ = nullptr;  // the current's bed roughness (Ruessink et al. 2001)
  QLabel* error_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* hover_ = nullptr;
  std::array<StripChart*, 4> strips_{};
  std::array<QXYSeries*, CurveCount> series_{};
  QLineSeries* bedBase_ = nullptr;
  QLineSeries* onset_ = nullptr;
  // The shared x axis of each strip, then the y axes: H, η, Qb, V, z.
  std::array<QValueAxis*, 4> xAxes_{};
  QValueAxis* heightAxis_ = nullptr;
  QValueAxis* etaAxis_ = nullptr;
  QValueAxis* qbAxis_ = nullptr;
  QValueAxis* currentAxis_ = nullptr;
  QValueAxis* elevationAxis_ = nullptr;
};

}  // namespace saiha::profile
