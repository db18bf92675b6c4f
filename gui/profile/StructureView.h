// The page 構造物: works in the waves of the calculation window.  Above its
// two sections, the site (its depth h, typed here, and the seabed slope 1/n,
// the calculation window's) and Goda's design wave at that depth from the
// random-wave page's H0′ and T1/3; then
//   直立堤（ケーソン）: the caisson drawn to scale on its mound with Goda's
//     pressures and the uplift (CaissonDiagram), its forces, moments,
//     weight, safety factors and heel pressure beside it;
//   斜面・護岸: the runup Ru2% and the mean overtopping q of a slope or wall,
//     q against the freeboard Rc on a logarithmic axis with the crest
//     chosen marked, and the rock armour's Dn50 and M50.
// The wave boxes follow the design wave (and the slope the calculation
// window) until the user types in one of them; ticking 計算ウィンドウに従う
// brings them back.  The boxes are kept between runs (QSettings, group
// "structure").  The numbers are StructureModel's; this page lays them out.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <limits>

#include "gui/profile/StructureModel.h"

class QCheckBox;
class QChartView;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QLineSeries;
class QLogValueAxis;
class QScatterSeries;
class QTabWidget;
class QValueAxis;

namespace saiha::profile {

class CaissonDiagram;

class StructureView final : public QWidget {
  Q_OBJECT

 public:
  explicit StructureView(QWidget* parent = nullptr);
  ~StructureView() override;

  // The random-wave page's H0′ and T1/3, as typed there.
  void setSea(const QString& H0p, const QString& T13);
  // The calculation window's slope 1/n.
  void setBeach(double n);

  // Whether the site and wave boxes follow the other pages.
  bool following() const;
  void setFollowing(bool follow);

  const StructureModel& model() const { return model_; }
  CaissonDiagram& diagram() const { return *diagram_; }
  QTabWidget& sections() const { return *sections_; }
  QChartView& dischargeChart() const { return *chart_; }
  QLineSeries& dischargeSeries() const { return *curve_; }
  // A box by its object name ("Hmax", "hPrime", "slope-Rc" ...).
  QLineEdit* box(const QString& name) const;
  // Texts as shown: the design wave, the caisson's result lines
  // (StructureModel::CaissonLine), its error and notes, the slope's lines.
  QString designText() const;
  QString caissonText(StructureModel::CaissonLine line) const;
  QString caissonError() const;
  QString caissonNote() const;
  QString slopeText(StructureModel::SlopeLine line) const;
  QString armourText(StructureModel::ArmourLine line) const;
  QString slopeError() const;
  QString slopeNote() const;
  // Whether a result line is drawn in the colour of a shortfall.
  bool flagged(StructureModel::CaissonLine line) const;

  // The structure's part of the report: its inputs and results as HTML, the
  // images named by `diagramUrl` and `chartUrl`.
  QString reportHtml(const QString& diagramUrl, const QString& chartUrl) const;
  QImage diagramImage() const;
  QImage chartImage() const;

 private:
  QWidget* buildCaisson();
  QWidget* buildSlope();
  QLineEdit* addBox(QGridLayout* grid, int row, int column, const QString& label,
                    const QString& name, const QString& tip, bool follows);
  void typed();
  void recompute();
  void showCaisson();
  void showSlope();
  SiteTexts siteTexts() const;
  CaissonTexts caissonTexts() const;
  SlopeTexts slopeTexts() const;
  void setCaissonTexts(const CaissonTexts& texts);
  void setSlopeTexts(const SlopeTexts& texts);
  void restoreSettings();
  void saveSettings() const;

  StructureModel model_;
  QString H0p_, T13_;
  double n_ = std::numeric_limits<double>::quiet_NaN();
  bool quiet_ = false;  // boxes being filled, not typed

  QCheckBox* follow_ = nullptr;
  QLineEdit* h_ = nullptr;
  QLineEdit* n_box_ = nullptr;
  QLabel* design_ = nullptr;
  QTabWidget* sections_ = nullptr;

  // The caisson.
  QLineEdit *Hmax_ = nullptr, *H13_ = nullptr, *T_ = nullptr, *hPrime_ = nullptr, *d_ = nullptr,
            *hc_ = nullptr, *B_ = nullptr, *beta_ = nullptr, *berm_ = nullptr, *rho_ = nullptr,
            *density_ = nullptr, *mu_ = nullptr;
  QCheckBox* impulsive_ = nullptr;
  std::array<QLabel*, StructureModel::CaissonLineCount> caissonLines_{};
  QLabel* caissonError_ = nullptr;
  QLabel* caissonNote_ = nullptr;
  CaissonDiagram* diagram_ = nullptr;

  // The slope or wall, and its armour.
  QLineEdit *Hm0_ = nullptr, *Tm10_ = nullptr, *Rc_ = nullptr, *cotAlpha_ = nullptr,
            *gammaF_ = nullptr, *gammaB_ = nullptr, *gammaV_ = nullptr, *slopeBeta_ = nullptr,
            *moundD_ = nullptr, *armourT_ = nullptr, *rhoS_ = nullptr, *P_ = nullptr, *S_ = nullptr,
            *N_ = nullptr, *KD_ = nullptr;
  QComboBox *kind_ = nullptr, *approach_ = nullptr, *armour_ = nullptr;
  QLabel* armourTLabel_ = nullptr;
  std::array<QLabel*, StructureModel::SlopeLineCount> slopeLines_{};
  std::array<QLabel*, StructureModel::ArmourLineCount> armourLines_{};
  QLabel* slopeError_ = nullptr;
  QLabel* slopeNote_ = nullptr;
  QChartView* chart_ = nullptr;
  QLineSeries* curve_ = nullptr;
  QLineSeries* crestLine_ = nullptr;
  QScatterSeries* crest_ = nullptr;
  QValueAxis* rcAxis_ = nullptr;
  QLogValueAxis* qAxis_ = nullptr;
};

}  // namespace saiha::profile
