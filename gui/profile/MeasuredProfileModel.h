// What the measured-profile view shows, as numbers and texts: the profile
// read from its file, the sea at its offshore boundary read from the view's
// boxes, and shore::transform's result across it.  The view only maps these
// to its charts and labels.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

#include "report/bed_profile.h"
#include "shore/transform.h"

namespace saiha::profile {

// A measured profile as the one reader every face shares reads it
// (report/bed_profile.h): x and z of each point and the file's line of each.
using MeasuredBed = report::BedProfileText;

// The texts of the sea boxes, as typed.
struct SeaTexts {
  QString Hrms0, Tp, theta0, tide;
  bool operator==(const SeaTexts&) const = default;
};

class MeasuredProfileModel {
  Q_DECLARE_TR_FUNCTIONS(saiha::profile::MeasuredProfileModel)

 public:
  // The dissipations and γ rules offered, with their stable names (kept in
  // cases): "bj78", "tg83", "baldock98", "jb07"; "ruessink2003",
  // "battjes-stive1985".
  struct DissipationEntry {
    shore::Dissipation value;
    std::string_view name;
  };
  struct GammaEntry {
    shore::GammaRule value;
    std::string_view name;
  };
  static constexpr std::array<DissipationEntry, 4> kDissipations = {{
      {shore::Dissipation::BJ78, "bj78"},
      {shore::Dissipation::TG83, "tg83"},
      {shore::Dissipation::Baldock98, "baldock98"},
      {shore::Dissipation::JB07, "jb07"},
  }};
  static constexpr std::array<GammaEntry, 2> kGammaRules = {{
      {shore::GammaRule::Ruessink2003, "ruessink2003"},
      {shore::GammaRule::BattjesStive1985, "battjes-stive1985"},
  }};
  // The index of a stable name in the lists above, -1 for none.
  // The apparent bed roughness of the current's friction Ruessink et al.
  // (2001) fitted at each site, by stable name, Duck's the default.
  struct RoughnessEntry {
    double value;
    std::string_view name;
  };
  static constexpr std::array<RoughnessEntry, 2> kRoughnesses = {{
      {shore::kDuckRoughness, "duck"},
      {shore::kEgmondRoughness, "egmond"},
  }};
  static int roughnessIndex(const QString& name);
  static QString roughnessDisplayName(std::size_t index);
  static int dissipationIndex(const QString& name);
  static int gammaIndex(const QString& name);
  // The display name of each entry ("Battjes・Janssen (1978)").
  static QString dissipationDisplayName(std::size_t index);
  static QString gammaDisplayName(std::size_t index);

  // The sea boxes for the calculation window's regular wave: its Ho taken as
  // the significant height Hm0 (Hrms0 = Ho/√2 to the millimetre), T as Tp,
  // αo as θ0, tide 0.
  // Nothing for a wave whose Ho, T or αo is no finite number.
  static std::optional<SeaTexts> seaFromWave(double Ho, double T, double alpha0);

  // Reads the profile at `path`; false (errorText() says why) when it cannot
  // be read, and then no profile is held.  The path is kept either way.
  bool open(const QString& path);
  // No profile and no path.
  void clear();
  const QString& path() const { return path_; }
  bool hasBed() const { return !bed_.x.empty(); }
  const MeasuredBed& bed() const { return bed_; }

  // Computes across the profile with the boxes' texts, read as the
  // calculation window reads its boxes, and the model chosen by index into
  // kDissipations and kGammaRules.  Nothing without a profile.
  void compute(const SeaTexts& sea, std::size_t dissipation, std::size_t gamma,
               std::size_t roughness = 0);
  const shore::TransformResult& result() const { return result_; }
  const shore::SeaCondition& condition() const { return condition_; }
  // The points shown across the profile: from the boundary to the last wet
  // one (none when the calculation failed).
  int wetCount() const;
  // The profile point nearest `x` (m), -1 without a profile.
  int nearest(double x) const;

  // Why nothing is shown: the read error, or the engine's with the value it
  // refused; empty when the calculation succeeded.
  QString errorText() const { return error_; }
  // The engine's warnings, one a line; empty for none.
  QString warningText() const;
  // The breaking onset, maximum setup, shoreline and R2% as one line; empty
  // when nothing was computed.
  QString summaryText() const;
  // The values at profile point `index` (x, z, h, η, Hrms, H1/3, Qb, V);
  // empty for an index outside the profile.
  QString pointText(int index) const;

 private:
  QString path_;
  MeasuredBed bed_;
  shore::SeaCondition condition_;
  shore::TransformResult result_;
  QString error_;
};

}  // namespace saiha::profile
