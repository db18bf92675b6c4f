#include "gui/profile/MeasuredProfileModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "gui/language.h"
#include "gui/profile/ModelPanel.h"
#include "report/case.h"
#include "report/messages.h"
#include "runtime/text.h"

namespace saiha::profile {

namespace {

QString shortest(double value) {
  return QString::fromStdString(rt::formatShortest(static_cast<float>(value)));
}
// Two decimals, or a dash for a value not reached (dry, or no shoreline).
QString twoDecimals(double value) {
  return std::isfinite(value) ? QString::fromStdString(rt::formatResult(static_cast<float>(value)))
                              : QStringLiteral("–");
}
float at(const std::vector<float>& values, std::size_t i) {
  return i < values.size() ? values[i] : std::nanf("");
}

}  // namespace

int MeasuredProfileModel::dissipationIndex(const QString& name) {
  for (std::size_t i = 0; i < kDissipations.size(); ++i) {
    if (name == QLatin1String(kDissipations[i].name.data(), qsizetype(kDissipations[i].name.size()))) {
      return int(i);
    }
  }
  return -1;
}

int MeasuredProfileModel::gammaIndex(const QString& name) {
  for (std::size_t i = 0; i < kGammaRules.size(); ++i) {
    if (name == QLatin1String(kGammaRules[i].name.data(), qsizetype(kGammaRules[i].name.size()))) {
      return int(i);
    }
  }
  return -1;
}

int MeasuredProfileModel::roughnessIndex(const QString& name) {
  for (std::size_t i = 0; i < kRoughnesses.size(); ++i) {
    if (name == QLatin1String(kRoughnesses[i].name.data(), qsizetype(kRoughnesses[i].name.size()))) {
      return int(i);
    }
  }
  return -1;
}

QString MeasuredProfileModel::roughnessDisplayName(std::size_t index) {
  switch (index) {
    case 0: return tr("Duck：0.0125 m");
    case 1: return tr("Egmond：0.022 m");
    default: return {};
  }
}

QString MeasuredProfileModel::dissipationDisplayName(std::size_t index) {
  switch (index) {
    case 0: return tr("Battjes・Janssen (1978)");
    case 1: return tr("Thornton・Guza (1983)");
    case 2: return tr("Baldock ほか (1998)");
    case 3: return tr("Janssen・Battjes (2007)");
    default: return {};
  }
}

QString MeasuredProfileModel::gammaDisplayName(std::size_t index) {
  switch (index) {
    case 0: return tr("Ruessink ほか (2003)：局所の kd");
    case 1: return tr("Battjes・Stive (1985)：沖波波形勾配");
    default: return {};
  }
}

std::optional<SeaTexts> MeasuredProfileModel::seaFromWave(double Ho, double T, double alpha0) {
  if (!std::isfinite(Ho) || !std::isfinite(T) || !std::isfinite(alpha0)) return std::nullopt;
  // The regular wave's height stands for the sea's significant height
  // Hm0 = √2·Hrms; to the millimetre, as a height is typed.
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, Ho / std::sqrt(2.0), std::chars_format::fixed, 3).ptr;
  QString height = QString::fromLatin1(text, end - text);
  while (height.endsWith(QLatin1Char('0'))) height.chop(1);
  if (height.endsWith(QLatin1Char('.'))) height.chop(1);
  return SeaTexts{height, shortest(T), shortest(alpha0), QStringLiteral("0")};
}

bool MeasuredProfileModel::open(const QString& path) {
  path_ = path;
  result_ = {};
  error_.clear();
  // The window's own rule for the boundary: the tide box may still put it
  // under water, and the engine says so if it does not.
  MeasuredBed bed = report::readBedProfileFile(path.toStdString());
  if (!bed.ok()) {
    error_ = QString::fromStdString(
        report::bedProfileFaultText(bed.fault, path.toStdString(), gui::language()));
    bed_ = MeasuredBed{};
    return false;
  }
  bed_ = std::move(bed);
  return true;
}

void MeasuredProfileModel::clear() {
  path_.clear();
  bed_ = {};
  result_ = {};
  error_.clear();
}

void MeasuredProfileModel::compute(const SeaTexts& sea, std::size_t dissipation, std::size_t gamma,
                                   std::size_t roughness) {
  result_ = {};
  if (!hasBed()) return;
  error_.clear();
  condition_.Hrms0 = report::inputNumber(sea.Hrms0.toStdString());
  condition_.Tp = report::inputNumber(sea.Tp.toStdString());
  condition_.theta0 = report::inputNumber(sea.theta0.toStdString());
  condition_.tide = report::inputNumber(sea.tide.toStdString());
  shore::TransformOptions options;
  options.dissipation = kDissipations[std::min(dissipation, kDissipations.size() - 1)].value;
  options.gamma = kGammaRules[std::min(gamma, kGammaRules.size() - 1)].value;
  options.roughness = kRoughnesses[std::min(roughness, kRoughnesses.size() - 1)].value;
  result_ = shore::transform({bed_.x, bed_.z}, condition_, options);
  if (result_.ok()) return;

  error_ = QString::fromStdString(report::errorText(result_.error, gui::language()));
  // The value refused, or the boundary the sea did not fit.
  QString detail;
  switch (result_.error) {
    case shore::Error::InvalidHeight: detail = rejectedText(QStringLiteral("Hrms0"), sea.Hrms0); break;
    case shore::Error::InvalidPeriod:
    case shore::Error::PeriodOutOfRange: detail = rejectedText(QStringLiteral("Tp"), sea.Tp); break;
    case shore::Error::InvalidAngle: detail = rejectedText(QStringLiteral("θ0"), sea.theta0); break;
    case shore::Error::InvalidTide:
    case shore::Error::TideOutOfRange: detail = rejectedText(tr("潮位"), sea.tide); break;
    case shore::Error::BoundaryTooShallow:
    case shore::Error::MicheLimitAtBoundary:
    case shore::Error::TooFewWetPoints:
      detail = tr("沖側境界（%1 行目）: x = %2 m，z = %3 m，潮位 %4 m で静水深 h = %5 m，Hrms0 = %6 m")
                   .arg(bed_.lines.front())
                   .arg(shortest(bed_.x.front()), shortest(bed_.z.front()),
                        shortest(condition_.tide), shortest(condition_.tide - bed_.z.front()),
                        shortest(condition_.Hrms0));
      break;
    default: break;
  }
  if (!detail.isEmpty()) error_ += QLatin1Char('\n') + detail;
}

int MeasuredProfileModel::wetCount() const { return result_.ok() ? result_.lastWet + 1 : 0; }

int MeasuredProfileModel::nearest(double x) const {
  if (bed_.x.empty()) return -1;
  const auto above = std::lower_bound(bed_.x.begin(), bed_.x.end(), x);
  if (above == bed_.x.begin()) return 0;
  if (above == bed_.x.end()) return int(bed_.x.size()) - 1;
  const auto below = above - 1;
  return int((x - *below <= *above - x ? below : above) - bed_.x.begin());
}

QString MeasuredProfileModel::warningText() const {
  return QString::fromStdString(report::warningText(result_.warnings, gui::language()));
}

QString MeasuredProfileModel::summaryText() const {
  if (!result_.ok() || result_.h.empty()) return {};
  const shore::TransformResult& r = result_;
  return tr("砕波開始 x = %1 m（h = %2 m）　最大水位上昇 ηmax = %3 m　平均汀線 x = %4 m　"
            "2% 遡上高 R2% = %5 m")
      .arg(twoDecimals(r.xBreaking), twoDecimals(r.hBreaking), twoDecimals(r.etaMax),
           twoDecimals(r.xShoreline), twoDecimals(r.R2));
}

QString MeasuredProfileModel::pointText(int index) const {
  if (index < 0 || std::size_t(index) >= bed_.x.size()) return {};
  const std::size_t i = std::size_t(index);
  const shore::TransformResult& r = result_;
  QString text =
      tr("x = %1 m　z = %2 m　h = %3 m　η = %4 m　Hrms = %5 m　H1/3 = %6 m　Qb = %7　V = %8 m/s")
          .arg(twoDecimals(bed_.x[i]), twoDecimals(bed_.z[i]), twoDecimals(at(r.h, i)),
               twoDecimals(at(r.eta, i)), twoDecimals(at(r.Hrms, i)), twoDecimals(at(r.H13, i)),
               twoDecimals(at(r.Qb, i)), twoDecimals(at(r.V, i)));
  // The point's own warnings (Hrms above the mean depth, a current beyond
  // the friction's data), said after its numbers.
  const shore::Warnings own{i < r.pointWarnings.size() ? r.pointWarnings[i] : 0u};
  if (own.any()) {
    text += QStringLiteral("\n") +
            QString::fromStdString(report::warningText(own, gui::language()));
  }
  return text;
}

}  // namespace saiha::profile
