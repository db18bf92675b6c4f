// What the page 構造物 shows, as numbers and texts: the design wave by Goda's
// random waves at the site, the caisson's pressures, forces and stability,
// and the runup, overtopping and rock armour of a slope or wall, each read
// from the page's boxes as the calculation window reads its own and computed
// by the structure engine (structure/*.h).  The page only lays these out and
// draws them; no formula lives here.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <array>

#include "structure/armour.h"
#include "structure/caisson.h"
#include "structure/overtopping.h"

namespace saiha::profile {

// The sea and the site, as the boxes and the other pages give them: H0′ and
// T1/3 of the random-wave page, the slope 1/n and the site depth h.
struct SiteTexts {
  QString H0p, T13, n, h;
  bool operator==(const SiteTexts&) const = default;
};

// The caisson's boxes, as typed.
struct CaissonTexts {
  QString Hmax, H13, T, hPrime, d, hc, B, beta, berm, rho, density, mu;
  bool impulsive = true;
  bool operator==(const CaissonTexts&) const = default;
};

// The slope's (or wall's) boxes, as typed, and its choices by index into
// StructureModel's lists.
struct SlopeTexts {
  QString Hm0, Tm10, Rc, cotAlpha, gammaF, gammaB, gammaV, beta, d;
  int kind = 0, approach = 0, armour = 0;
  QString armourT, rhoS, P, S, N, KD;
  bool operator==(const SlopeTexts&) const = default;
};

class StructureModel {
  Q_DECLARE_TR_FUNCTIONS(saiha::profile::StructureModel)

 public:
  // The structure kinds, approaches and armour formulas offered, in the
  // order of the page's lists (the design approach first: the manual's
  // advice for design).
  static constexpr std::array<structure::Structure, 3> kKinds = {
      structure::Structure::Slope, structure::Structure::Vertical, structure::Structure::Composite};
  static constexpr std::array<structure::Approach, 2> kApproaches = {structure::Approach::Design,
                                                                     structure::Approach::Mean};
  static constexpr std::array<structure::ArmourMethod, 3> kArmours = {
      structure::ArmourMethod::VanGent2003, structure::ArmourMethod::VanDerMeer1988,
      structure::ArmourMethod::Hudson};
  static QString kindName(std::size_t index);
  static QString approachName(std::size_t index);
  static QString armourName(std::size_t index);
  static QString regimeName(structure::Regime regime);
  static QString breakerName(structure::ArmourBreaker breaker);

  // The boxes' first texts: a composite breakwater and a rock-armoured dike.
  static CaissonTexts defaultCaisson();
  static SlopeTexts defaultSlope();

  // Goda's design wave at the site: designWave(H0′, T1/3, n, h).
  void computeSite(const SiteTexts& site);
  const structure::DesignWave& design() const { return design_; }
  // The design wave's texts for the caisson's Hmax, H1/3 and T and for the
  // slope's Hm0 (H1/3 at the site) and Tm−1,0 (T1/3 taken as the peak
  // period, Tp = 1.1·Tm−1,0 as the chain at a toe takes it); false while the
  // design wave is not computed.
  bool followCaisson(CaissonTexts& texts) const;
  bool followSlope(SlopeTexts& texts) const;
  // What the design wave is and which Hmax the caisson takes; or why there
  // is none.
  QString designText() const;
  bool designFailed() const { return !design_.ok(); }

  void computeCaisson(const SiteTexts& site, const CaissonTexts& texts);
  const structure::CaissonInput& caissonInput() const { return caissonIn_; }
  const structure::CaissonResult& caisson() const { return caisson_; }
  // The engine's message (and the value refused) when the caisson failed;
  // empty otherwise.
  QString caissonError() const { return caissonError_; }
  QString caissonWarnings() const;
  enum CaissonLine {
    EtaStar, P1, P2, P3, P4, Pu, Force, Uplift, MomentP, MomentU, Weight, Sliding, Overturning,
    Heel, Coefficients, CaissonLineCount
  };
  // One line of the caisson's results as the page shows it ("p1 = 108.8
  // kPa", "滑動安全率 μ(W − U)/P = 1.26"); empty when not computed.
  QString caissonText(CaissonLine line) const;
  // Whether a safety factor lies below the one required.
  bool slidingShort() const;
  bool overturningShort() const;

  void computeSlope(const SiteTexts& site, const SlopeTexts& texts);
  const structure::OvertoppingInput& overtoppingInput() const { return overtoppingIn_; }
  const structure::OvertoppingResult& overtopping() const { return overtopping_; }
  const structure::RunupResult& runup() const { return runup_; }
  const structure::ArmourInput& armourInput() const { return armourIn_; }
  const structure::ArmourResult& armour() const { return armour_; }
  QString slopeError() const { return slopeError_; }
  QString armourError() const { return armourError_; }
  QString slopeWarnings() const;
  QString armourWarnings() const;
  enum SlopeLine { Runup, Discharge, RegimeLine, ApproachLine, SlopeLineCount };
  enum ArmourLine { Dn50, M50, Stability, ArmourLineCount };
  QString slopeText(SlopeLine line) const;
  QString armourText(ArmourLine line) const;
  // q (l/s per m) against the freeboard Rc (m) from 0 to twice the chosen
  // one (at least 3·Hm0), each point the engine's; points where q is
  // negligible are left out (the chart's axis is logarithmic).
  const QList<QPointF>& dischargeCurve() const { return curve_; }
  double curveEnd() const { return curveEnd_; }

  // A discharge for the window: l/s per m to three significant figures, or
  // "< 0.001 l/s/m" where the formulas carry no information.
  static QString dischargeText(float q, bool negligible);
  // A height or period as a box takes it: to the millimetre (or the
  // millisecond), trailing zeros dropped.
  static QString boxText(double value);
  // value/scale to `decimals` places, "–" for a value not reached.
  static QString fixed(double value, int decimals, double scale = 1);

 private:
  structure::DesignWave design_;
  structure::CaissonInput caissonIn_;
  structure::CaissonResult caisson_;
  QString caissonError_;
  structure::OvertoppingInput overtoppingIn_;
  structure::OvertoppingResult overtopping_;
  structure::RunupResult runup_;
  structure::ArmourInput armourIn_;
  structure::ArmourResult armour_;
  QString slopeError_, armourError_;
  QList<QPointF> curve_;
  double curveEnd_ = 0;
};

}  // namespace saiha::profile
