#include "gui/profile/StructureModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "gui/language.h"
#include "gui/profile/ModelPanel.h"
#include "report/case.h"
#include "report/messages.h"
#include "report/structure_table.h"
#include "runtime/text.h"
#include "structure/chain.h"

namespace saiha::profile {

namespace {

double number(const QString& text) { return report::inputNumber(text.toStdString()); }

QString shortest(float value) { return QString::fromStdString(rt::formatShortest(value)); }
QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString errorOf(shore::Error error) {
  return QString::fromStdString(report::errorText(error, gui::language()));
}
QString warningsOf(shore::Warnings warnings) {
  return QString::fromStdString(report::warningText(warnings, gui::language()));
}

// "Hmax = 10 m, H1/3 = 5.6 m" for the message of a refused height.
QString typedValues(std::initializer_list<std::pair<const char*, QString>> values) {
  QStringList parts;
  for (const auto& [name, text] : values) parts << rejectedText(QString::fromUtf8(name), text);
  return parts.join(StructureModel::tr("，"));
}

}  // namespace

QString StructureModel::fixed(double value, int decimals, double scale) {
  if (!std::isfinite(value)) return QStringLiteral("–");
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value / scale, std::chars_format::fixed, decimals).ptr;
  QString s = QString::fromLatin1(text, end - text);
  if (s.startsWith(QLatin1Char('-')) && s.count(QLatin1Char('0')) == s.size() - 1 - (decimals > 0)) {
    s.remove(0, 1);  // "-0.0" reads as 0
  }
  return s;
}

QString StructureModel::boxText(double value) {
  QString text = fixed(value, 3);
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  return text;
}

QString StructureModel::dischargeText(float q, bool negligible) {
  if (!std::isfinite(q)) return QStringLiteral("–");
  if (negligible) return text(report::kNegligibleDischargeText.in(gui::language()));
  // l/s per m, three significant figures (fixed decimals for the small).
  const double l = double(q) * 1000;
  const int decimals = l >= 100 ? 0 : l >= 10 ? 1 : l >= 1 ? 2 : 3;
  return fixed(l, decimals) + QStringLiteral(" l/s/m");
}

QString StructureModel::kindName(std::size_t index) {
  return index < kKinds.size() ? text(report::structureDisplayName(kKinds[index], gui::language()))
                               : QString();
}

QString StructureModel::approachName(std::size_t index) {
  return index < kApproaches.size()
             ? text(report::approachDisplayName(kApproaches[index], gui::language()))
             : QString();
}

QString StructureModel::armourName(std::size_t index) {
  if (index >= kArmours.size()) return {};
  // The formula's name, then what it takes.
  const QString name = text(report::armourMethodDisplayName(kArmours[index], gui::language()));
  switch (kArmours[index]) {
    case structure::ArmourMethod::VanGent2003: return name + tr("：浅海，Tm−1,0，H2%");
    case structure::ArmourMethod::VanDerMeer1988: return name + tr("：深海，平均周期 Tm");
    case structure::ArmourMethod::Hudson: return name + tr("：K_D");
  }
  return name;
}

QString StructureModel::regimeName(structure::Regime regime) {
  return text(report::regimeDisplayName(regime, gui::language()));
}

QString StructureModel::breakerName(structure::ArmourBreaker breaker) {
  return text(report::armourBreakerDisplayName(breaker, gui::language()));
}

CaissonTexts StructureModel::defaultCaisson() {
  CaissonTexts t;
  t.Hmax = QStringLiteral("10");
  t.H13 = QStringLiteral("5.6");
  t.T = QStringLiteral("12");
  t.hPrime = QStringLiteral("12");
  t.d = QStringLiteral("9");
  t.hc = QStringLiteral("5");
  t.B = QStringLiteral("18");
  t.beta = QStringLiteral("0");
  t.berm = QStringLiteral("10");
  const structure::CaissonInput in;
  t.rho = shortest(float(in.rho));
  t.density = shortest(float(in.density));
  t.mu = shortest(float(in.mu));
  t.impulsive = in.impulsive;
  return t;
}

SlopeTexts StructureModel::defaultSlope() {
  SlopeTexts t;
  t.Hm0 = QStringLiteral("2");
  t.Tm10 = QStringLiteral("6");
  t.Rc = QStringLiteral("3");
  t.cotAlpha = QStringLiteral("3");
  t.gammaF = QStringLiteral("1");
  t.gammaB = QStringLiteral("1");
  t.gammaV = QStringLiteral("1");
  t.beta = QStringLiteral("0");
  t.d = QStringLiteral("4");
  t.armourT = t.Tm10;
  const structure::ArmourInput in;
  t.rhoS = shortest(float(in.rhoS));
  t.P = shortest(float(in.P));
  t.S = shortest(float(in.S));
  t.N = shortest(float(in.N));
  t.KD = shortest(float(in.KD));
  return t;
}

void StructureModel::computeSite(const SiteTexts& site) {
  design_ = structure::designWave(number(site.H0p), number(site.T13), number(site.n), number(site.h));
}

bool StructureModel::followCaisson(CaissonTexts& texts) const {
  if (!design_.ok()) return false;
  texts.Hmax = boxText(design_.Hmax);
  texts.H13 = boxText(design_.H13);
  texts.T = boxText(design_.T);
  return true;
}

bool StructureModel::followSlope(SlopeTexts& texts) const {
  if (!design_.ok()) return false;
  texts.Hm0 = boxText(design_.H13_h);
  // T1/3 stands for the peak period; the manual's Tp = 1.1·Tm−1,0, the
  // chain's own ratio.
  texts.Tm10 = boxText(double(design_.T) / structure::ChainOptions{}.periodRatio);
  if (kArmours[std::size_t(std::clamp(texts.armour, 0, int(kArmours.size()) - 1))] ==
      structure::ArmourMethod::VanGent2003) {
    texts.armourT = texts.Tm10;
  }
  return true;
}

QString StructureModel::designText() const {
  const structure::DesignWave& w = design_;
  if (!w.ok()) return tr("合田の設計波を求められません: ") + errorOf(w.error);
  return tr("合田の不規則波：水深 h で H1/3 = %1 m，Hmax = %2 m；沖側 5H1/3 の hb = %3 m で "
            "Hmax = %4 m．設計は大きい方の Hmax = %5 m（%6），H1/3 = %7 m，T1/3 = %8 s．")
      .arg(fixed(w.H13_h, 2), fixed(w.Hmax_h, 2), fixed(w.hb, 2), fixed(w.Hmax_hb, 2),
           fixed(w.Hmax, 2),
           w.atHb ? tr("hb での値：堤は砕波帯の中にあり，沖の砕波が堤に届く")
                  : tr("堤の位置での値：砕波帯より沖"),
           fixed(w.H13, 2), fixed(w.T, 2));
}

void StructureModel::computeCaisson(const SiteTexts& site, const CaissonTexts& t) {
  structure::CaissonInput in;
  in.Hmax = number(t.Hmax);
  in.H13 = number(t.H13);
  in.T = number(t.T);
  in.h = number(site.h);
  in.hPrime = number(t.hPrime);
  in.d = number(t.d);
  in.hc = number(t.hc);
  in.B = number(t.B);
  in.n = number(site.n);
  in.beta = number(t.beta);
  in.berm = number(t.berm);
  in.impulsive = t.impulsive;
  in.rho = number(t.rho);
  in.density = number(t.density);
  in.mu = number(t.mu);
  caissonIn_ = in;
  caisson_ = structure::caisson(in);
  caissonError_.clear();
  if (caisson_.ok()) return;
  caissonError_ = errorOf(caisson_.error);
  QString detail;
  using shore::Error;
  switch (caisson_.error) {
    case Error::InvalidDesignHeight:
    case Error::HeightOrder:
      detail = typedValues({{"Hmax", t.Hmax}, {"H1/3", t.H13}});
      break;
    case Error::HeightAboveDepthLimit: detail = typedValues({{"Hmax", t.Hmax}, {"h", site.h}}); break;
    case Error::InvalidDesignPeriod: detail = typedValues({{"T1/3", t.T}}); break;
    case Error::InvalidStructureDepth:
    case Error::DepthOrder:
      detail = typedValues({{"d", t.d}, {"h′", t.hPrime}, {"h", site.h}});
      break;
    case Error::InvalidCrestHeight: detail = typedValues({{"hc", t.hc}}); break;
    case Error::InvalidStructureWidth: detail = typedValues({{"B", t.B}, {"BM", t.berm}}); break;
    case Error::InvalidSlope: detail = typedValues({{"n", site.n}}); break;
    case Error::InvalidAttackAngle: detail = typedValues({{"β", t.beta}}); break;
    case Error::InvalidWaterDensity: detail = typedValues({{"ρ", t.rho}}); break;
    case Error::InvalidCaissonWeight: detail = typedValues({{"ρc", t.density}}); break;
    case Error::InvalidFriction: detail = typedValues({{"μ", t.mu}}); break;
    default: break;
  }
  if (!detail.isEmpty()) caissonError_ += QLatin1Char('\n') + detail;
}

QString StructureModel::caissonWarnings() const {
  return caisson_.ok() ? warningsOf(caisson_.warnings) : QString();
}

bool StructureModel::slidingShort() const {
  return caisson_.ok() && caisson_.warnings.has(shore::Warning::SlidingBelowRequired);
}
bool StructureModel::overturningShort() const {
  return caisson_.ok() && caisson_.warnings.has(shore::Warning::OverturningBelowRequired);
}

QString StructureModel::caissonText(CaissonLine line) const {
  const structure::CaissonResult& r = caisson_;
  if (!r.ok()) return {};
  const auto kPa = [](float p) { return fixed(p, 1, 1000) + QStringLiteral(" kPa"); };
  const auto kN = [](float f) { return fixed(f, 0, 1000) + QStringLiteral(" kN/m"); };
  const auto kNm = [](float m) { return fixed(m, 0, 1000) + QStringLiteral(" kN·m/m"); };
  const QString required = fixed(caissonIn_.requiredSafety, 1);
  const auto factor = [&](float sf, bool shortOf) {
    QString text = fixed(sf, 2);
    if (shortOf) text += tr("（必要な %1 未満）").arg(required);
    return text;
  };
  switch (line) {
    case EtaStar: return QStringLiteral("η* = %1 m").arg(fixed(r.eta_star, 2));
    case P1: return QStringLiteral("p1 = ") + kPa(r.p1);
    case P2: return QStringLiteral("p2 = ") + kPa(r.p2);
    case P3: return QStringLiteral("p3 = ") + kPa(r.p3);
    case P4: return QStringLiteral("p4 = ") + kPa(r.p4);
    case Pu: return QStringLiteral("pu = ") + kPa(r.pu);
    case Force: return tr("水平波力 P = %1").arg(kN(r.P));
    case Uplift: return tr("揚圧力 U = %1").arg(kN(r.U));
    case MomentP: return tr("波力のモーメント Mp = %1").arg(kNm(r.Mp));
    case MomentU: return tr("揚圧力のモーメント Mu = %1").arg(kNm(r.Mu));
    case Weight: return tr("堤体の水中重量 W = %1").arg(kN(r.W));
    case Sliding: return tr("滑動の安全率 μ(W − U)/P = %1").arg(factor(r.SF_sliding, slidingShort()));
    case Overturning:
      return tr("転倒の安全率 (W·B/2 − Mu)/Mp = %1").arg(factor(r.SF_overturning, overturningShort()));
    case Heel:
      return std::isfinite(r.heel_pressure)
                 ? tr("端趾圧 pe = %1").arg(kPa(r.heel_pressure))
                 : tr("端趾圧 pe: なし（合力が底面の外：浮上または転倒）");
    case Coefficients:
      return QStringLiteral("L = %1 m, hb = %2 m, β′ = %3°, α1 = %4, α2 = %5, α3 = %6, αI = %7, α2* = %8")
          .arg(fixed(r.L, 2), fixed(r.hb, 2), fixed(r.betaUsed, 1), fixed(r.alpha1, 3),
               fixed(r.alpha2, 3), fixed(r.alpha3, 3), fixed(r.alphaI, 3), fixed(r.alpha2Used, 3));
    case CaissonLineCount: break;
  }
  return {};
}

void StructureModel::computeSlope(const SiteTexts& site, const SlopeTexts& t) {
  const structure::Structure kind = kKinds[std::size_t(std::clamp(t.kind, 0, int(kKinds.size()) - 1))];
  const structure::Approach approach =
      kApproaches[std::size_t(std::clamp(t.approach, 0, int(kApproaches.size()) - 1))];
  structure::OvertoppingInput in;
  in.Hm0 = number(t.Hm0);
  in.Tm10 = number(t.Tm10);
  in.Rc = number(t.Rc);
  in.structure = kind;
  in.cotAlpha = number(t.cotAlpha);
  in.gammaF = number(t.gammaF);
  in.gammaB = number(t.gammaB);
  in.gammaV = number(t.gammaV);
  in.beta = number(t.beta);
  in.h = number(site.h);
  if (kind == structure::Structure::Composite) in.d = number(t.d);
  in.approach = approach;
  overtoppingIn_ = in;
  overtopping_ = structure::overtopping(in);
  runup_ = {};
  if (kind == structure::Structure::Slope) {
    structure::RunupInput r;
    r.Hm0 = in.Hm0;
    r.Tm10 = in.Tm10;
    r.cotAlpha = in.cotAlpha;
    r.gammaF = in.gammaF;
    r.gammaB = in.gammaB;
    r.beta = in.beta;
    r.h = in.h;
    r.approach = approach;
    runup_ = structure::runup(r);
  }
  slopeError_ = overtopping_.ok() ? QString() : errorOf(overtopping_.error);
  if (!overtopping_.ok()) {
    using shore::Error;
    QString detail;
    switch (overtopping_.error) {
      case Error::InvalidDesignHeight: detail = typedValues({{"Hm0", t.Hm0}}); break;
      case Error::InvalidDesignPeriod: detail = typedValues({{"Tm−1,0", t.Tm10}}); break;
      case Error::InvalidCrestHeight:
      case Error::NegativeFreeboard: detail = typedValues({{"Rc", t.Rc}}); break;
      case Error::InvalidStructureSlope: detail = typedValues({{"cot α", t.cotAlpha}}); break;
      case Error::InvalidInfluenceFactor:
        detail = typedValues({{"γf", t.gammaF}, {"γb", t.gammaB}, {"γv", t.gammaV}});
        break;
      case Error::InvalidAttackAngle: detail = typedValues({{"β", t.beta}}); break;
      case Error::InvalidStructureDepth:
      case Error::DepthOrder: detail = typedValues({{"h", site.h}, {"d", t.d}}); break;
      default: break;
    }
    if (!detail.isEmpty()) slopeError_ += QLatin1Char('\n') + detail;
  }

  // q against the freeboard, every point by the engine.
  curve_.clear();
  curveEnd_ = 0;
  if (overtopping_.ok()) {
    curveEnd_ = std::max(2 * in.Rc, 3 * in.Hm0);
    constexpr int kPoints = 120;
    structure::OvertoppingInput at = in;
    for (int i = 0; i <= kPoints; ++i) {
      at.Rc = curveEnd_ * i / kPoints;
      const structure::OvertoppingResult r = structure::overtopping(at);
      if (r.ok() && !r.warnings.has(shore::Warning::NegligibleOvertopping)) {
        curve_.append(QPointF(at.Rc, double(r.q) * 1000));
      }
    }
  }

  // The armour of the slope, for its Hm0 as Hs.
  structure::ArmourInput a;
  a.method = kArmours[std::size_t(std::clamp(t.armour, 0, int(kArmours.size()) - 1))];
  a.Hs = in.Hm0;
  a.T = number(t.armourT);
  a.cotAlpha = in.cotAlpha;
  a.P = number(t.P);
  a.S = number(t.S);
  a.N = number(t.N);
  a.KD = number(t.KD);
  a.h = in.h;
  a.rhoS = number(t.rhoS);
  a.rho = structure::ArmourInput{}.rho;
  armourIn_ = a;
  armour_ = structure::armour(a);
  armourError_ = armour_.ok() ? QString() : errorOf(armour_.error);
  if (!armour_.ok()) {
    using shore::Error;
    QString detail;
    switch (armour_.error) {
      case Error::InvalidDesignHeight: detail = typedValues({{"Hm0", t.Hm0}}); break;
      case Error::InvalidDesignPeriod: detail = typedValues({{"T", t.armourT}}); break;
      case Error::InvalidStructureSlope: detail = typedValues({{"cot α", t.cotAlpha}}); break;
      case Error::InvalidArmourParameter:
        detail = typedValues({{"P", t.P}, {"S", t.S}, {"N", t.N}, {"K_D", t.KD}});
        break;
      case Error::InvalidRockDensity: detail = typedValues({{"ρs", t.rhoS}}); break;
      default: break;
    }
    if (!detail.isEmpty()) armourError_ += QLatin1Char('\n') + detail;
  }
}

QString StructureModel::slopeWarnings() const {
  if (!overtopping_.ok()) return {};
  shore::Warnings all = overtopping_.warnings;
  if (runup_.ok()) all.add(runup_.warnings);
  return warningsOf(all);
}

QString StructureModel::armourWarnings() const {
  return armour_.ok() ? warningsOf(armour_.warnings) : QString();
}

QString StructureModel::slopeText(SlopeLine line) const {
  const structure::OvertoppingResult& o = overtopping_;
  if (!o.ok()) return {};
  switch (line) {
    case Runup:
      return runup_.ok() ? tr("2% 遡上高 Ru2% = %1 m（ξm−1,0 = %2，γβ = %3）")
                               .arg(fixed(runup_.Ru2, 2), fixed(runup_.xi, 2), fixed(runup_.gammaBeta, 3))
                         : tr("2% 遡上高 Ru2%: 斜面のみ");
    case Discharge:
      return tr("平均越波流量 q = %1（Rc = %2 m）")
          .arg(dischargeText(o.q, o.warnings.has(shore::Warning::NegligibleOvertopping)),
               fixed(overtoppingIn_.Rc, 2));
    case RegimeLine: return tr("越波の形態: %1").arg(regimeName(o.regime));
    case ApproachLine:
      return tr("係数: %1").arg(approachName(o.approach == structure::Approach::Design ? 0 : 1));
    case SlopeLineCount: break;
  }
  return {};
}

QString StructureModel::armourText(ArmourLine line) const {
  const structure::ArmourResult& a = armour_;
  if (!a.ok()) return {};
  switch (line) {
    case Dn50: return tr("被覆石の中央粒径 Dn50 = %1 m").arg(fixed(a.Dn50, 2));
    case M50: return tr("中央質量 M50 = %1 kg（%2 t）").arg(fixed(a.M50, 0), fixed(a.M50, 2, 1000));
    case Stability: {
      QString text = tr("安定数 Hs/(ΔDn50) = %1，Δ = %2").arg(fixed(a.Ns, 2), fixed(a.Delta, 3));
      if (a.breaker != structure::ArmourBreaker::None) {
        text += tr("，%1（ξ = %2，ξcr = %3）")
                    .arg(breakerName(a.breaker), fixed(a.xi, 2), fixed(a.xiCritical, 2));
      }
      return text;
    }
    case ArmourLineCount: break;
  }
  return {};
}

}  // namespace saiha::profile
