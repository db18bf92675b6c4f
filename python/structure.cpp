// saiha._saiha's structure functions: Goda's caisson, the design wave from
// the offshore sea, EurOtop's runup and overtopping, rock armour and the
// hindcast chain at a toe, over flat NumPy arrays.
//
// As for the wave functions: the Python side broadcasts and hands over flat
// float64 columns of one length; each element is one call of the engine, on
// oneTBB threads with the GIL released; the results come back as float32
// columns (NaN where not reached), uint8 codes under "error" and uint32
// shore::Warning bits under "warning".  Names of options are the stable
// names of report/structure_table.h; an unknown one is a ValueError.
#include "python/structure.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "report/structure_table.h"
#include "structure/armour.h"
#include "structure/caisson.h"
#include "structure/chain.h"
#include "structure/overtopping.h"

namespace py = pybind11;
namespace shore = saiha::shore;
namespace structure = saiha::structure;
namespace report = saiha::report;

namespace saiha::python {

namespace {

using Input = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The flat inputs of one call, each of `count` elements; ValueError otherwise.
std::vector<const double*> flatInputs(const std::vector<Input>& inputs, std::size_t count) {
  std::vector<const double*> data;
  for (const Input& input : inputs) {
    if (input.ndim() != 1 || static_cast<std::size_t>(input.size()) != count) {
      throw py::value_error("the inputs must be flat arrays of one length");
    }
    data.push_back(input.data());
  }
  return data;
}

// The output columns of one call: float32 results by name, then "error" and
// "warning", and uint8 columns of names (a regime, a breaker type).
class Outputs {
 public:
  Outputs(std::size_t count, const std::vector<std::string_view>& floats,
          std::initializer_list<std::string_view> codes = {})
      : count_(static_cast<py::ssize_t>(count)), error_(count_), warning_(count_) {
    for (const std::string_view name : floats) {
      py::array_t<float> column(count_);
      floats_.push_back(column.mutable_data());
      out_[py::str(std::string(name))] = column;
    }
    for (const std::string_view name : codes) {
      py::array_t<std::uint8_t> column(count_);
      codes_.push_back(column.mutable_data());
      out_[py::str(std::string(name))] = column;
    }
    out_["error"] = error_;
    out_["warning"] = warning_;
    errorData_ = error_.mutable_data();
    warningData_ = warning_.mutable_data();
  }
  float* column(std::size_t k) const { return floats_[k]; }
  std::uint8_t* code(std::size_t k) const { return codes_[k]; }
  void put(std::size_t i, shore::Error e, shore::Warnings w) const {
    errorData_[i] = static_cast<std::uint8_t>(e);
    warningData_[i] = w.bits;
  }
  py::dict dict() const { return out_; }

 private:
  py::ssize_t count_;
  py::dict out_;
  py::array_t<std::uint8_t> error_;
  py::array_t<std::uint32_t> warning_;
  std::uint8_t* errorData_ = nullptr;
  std::uint32_t* warningData_ = nullptr;
  std::vector<float*> floats_;
  std::vector<std::uint8_t*> codes_;
};

template <std::size_t N>
std::vector<std::string_view> listOf(const std::array<std::string_view, N>& names) {
  return {names.begin(), names.end()};
}

// `body(i)` for every element of [0, count), on `workers` threads (0: all
// cores), the GIL released.  A structure formula costs well under a
// microsecond: ranges of a few thousand elements.
template <class Body>
void forEach(std::size_t count, int workers, const Body& body, std::size_t grain = 4096) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  py::gil_scoped_release release;
  const auto range = [&](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) body(i);
  };
  if (workers == 1 || count <= grain) {
    range(0, count);
    return;
  }
  tbb::task_arena arena(workers > 0 ? workers : tbb::task_arena::automatic);
  arena.execute([&] {
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, grain),
                      [&](const tbb::blocked_range<std::size_t>& r) { range(r.begin(), r.end()); });
  });
}

template <class Value, std::size_t N>
Value namedValue(const std::array<std::string_view, N>& names, std::string_view name,
                 std::string_view what) {
  std::string list;
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == name && !name.empty()) return static_cast<Value>(i);
    if (!names[i].empty()) list += (list.empty() ? "" : ", ") + std::string(names[i]);
  }
  throw py::value_error("unknown " + std::string(what) + " '" + std::string(name) + "'; one of " +
                        list);
}

structure::Structure structureOf(std::string_view name) {
  return namedValue<structure::Structure>(report::kStructureNames, name, "structure");
}
structure::Approach approachOf(std::string_view name) {
  return namedValue<structure::Approach>(report::kApproachNames, name, "approach");
}

// caisson(Hmax, H13, T, h, h_prime, d, hc, B, n, beta, berm, lambda1,
// lambda2, lambda3, rho, density, weight, mu, impulsive, required_safety,
// workers): the columns of kCaissonResultHeader.
py::dict caisson(const std::vector<Input>& inputs, bool impulsive, double requiredSafety,
                 int workers) {
  if (inputs.size() != 18) throw py::value_error("caisson takes 18 input columns");
  const std::size_t count = static_cast<std::size_t>(inputs[0].size());
  const std::vector<const double*> in = flatInputs(inputs, count);
  const Outputs out(count, listOf(report::kCaissonResultHeader));
  forEach(count, workers, [&](std::size_t i) {
    structure::CaissonInput c;
    c.Hmax = in[0][i], c.H13 = in[1][i], c.T = in[2][i], c.h = in[3][i], c.hPrime = in[4][i];
    c.d = in[5][i], c.hc = in[6][i], c.B = in[7][i], c.n = in[8][i], c.beta = in[9][i];
    c.berm = in[10][i], c.lambda1 = in[11][i], c.lambda2 = in[12][i], c.lambda3 = in[13][i];
    c.rho = in[14][i], c.density = in[15][i], c.weight = in[16][i], c.mu = in[17][i];
    c.impulsive = impulsive;
    c.requiredSafety = requiredSafety;
    const structure::CaissonResult r = structure::caisson(c);
    const auto values = report::caissonValues(r);
    for (std::size_t k = 0; k < values.size(); ++k) out.column(k)[i] = values[k];
    out.put(i, r.error, r.warnings);
  });
  return out.dict();
}

// design_wave(H0p, T13, n, h, workers): kDesignWaveResultHeader and at_hb.
py::dict designWave(const std::vector<Input>& inputs, int workers) {
  if (inputs.size() != 4) throw py::value_error("design_wave takes 4 input columns");
  const std::size_t count = static_cast<std::size_t>(inputs[0].size());
  const std::vector<const double*> in = flatInputs(inputs, count);
  const Outputs out(count, listOf(report::kDesignWaveResultHeader), {"at_hb"});
  forEach(count, workers, [&](std::size_t i) {
    const structure::DesignWave w = structure::designWave(in[0][i], in[1][i], in[2][i], in[3][i]);
    const auto values = report::designWaveValues(w);
    for (std::size_t k = 0; k < values.size(); ++k) out.column(k)[i] = values[k];
    out.code(0)[i] = w.atHb ? 1 : 0;
    out.put(i, w.error, w.warnings);
  });
  return out.dict();
}

// overtopping(Hm0, Tm10, Rc, cot_alpha, gamma_f, gamma_b, gamma_v, beta, h,
// d, crest_width, structure, approach, foreshore, permeable_core, workers).
py::dict overtopping(const std::vector<Input>& inputs, std::string_view kind,
                     std::string_view approach, bool foreshore, bool permeableCore, int workers) {
  if (inputs.size() != 11) throw py::value_error("overtopping takes 11 input columns");
  const structure::Structure s = structureOf(kind);
  const structure::Approach a = approachOf(approach);
  const std::size_t count = static_cast<std::size_t>(inputs[0].size());
  const std::vector<const double*> in = flatInputs(inputs, count);
  const Outputs out(count, {"q", "q_star", "xi", "gamma_beta", "impulsiveness", "Cr"},
                    {"regime"});
  forEach(count, workers, [&](std::size_t i) {
    structure::OvertoppingInput o;
    o.Hm0 = in[0][i], o.Tm10 = in[1][i], o.Rc = in[2][i], o.cotAlpha = in[3][i];
    o.gammaF = in[4][i], o.gammaB = in[5][i], o.gammaV = in[6][i], o.beta = in[7][i];
    o.h = in[8][i], o.d = in[9][i], o.crestWidth = in[10][i];
    o.structure = s, o.approach = a, o.foreshore = foreshore, o.permeableCore = permeableCore;
    const structure::OvertoppingResult r = structure::overtopping(o);
    const std::array<float, 6> values = {r.q, r.qStar, r.xi, r.gammaBeta, r.impulsiveness, r.Cr};
    for (std::size_t k = 0; k < values.size(); ++k) out.column(k)[i] = values[k];
    out.code(0)[i] = r.ok() ? static_cast<std::uint8_t>(r.regime) : 255;
    out.put(i, r.error, r.warnings);
  });
  return out.dict();
}

// runup(Hm0, Tm10, cot_alpha, gamma_f, gamma_b, beta, h, approach,
// permeable_core, workers).
py::dict runup(const std::vector<Input>& inputs, std::string_view approach, bool permeableCore,
               int workers) {
  if (inputs.size() != 7) throw py::value_error("runup takes 7 input columns");
  const structure::Approach a = approachOf(approach);
  const std::size_t count = static_cast<std::size_t>(inputs[0].size());
  const std::vector<const double*> in = flatInputs(inputs, count);
  const Outputs out(count, {"Ru2", "xi", "gamma_beta", "gamma_f_surging"}, {"regime"});
  forEach(count, workers, [&](std::size_t i) {
    structure::RunupInput u;
    u.Hm0 = in[0][i], u.Tm10 = in[1][i], u.cotAlpha = in[2][i], u.gammaF = in[3][i];
    u.gammaB = in[4][i], u.beta = in[5][i], u.h = in[6][i];
    u.approach = a, u.permeableCore = permeableCore;
    const structure::RunupResult r = structure::runup(u);
    const std::array<float, 4> values = {r.Ru2, r.xi, r.gammaBeta, r.gammaFSurging};
    for (std::size_t k = 0; k < values.size(); ++k) out.column(k)[i] = values[k];
    out.code(0)[i] = r.ok() ? static_cast<std::uint8_t>(r.regime) : 255;
    out.put(i, r.error, r.warnings);
  });
  return out.dict();
}

// armour(Hs, T, cot_alpha, P, S, N, KD, H2, h, rho_s, rho, method, workers).
py::dict armour(const std::vector<Input>& inputs, std::string_view method, int workers) {
  if (inputs.size() != 11) throw py::value_error("armour takes 11 input columns");
  const auto m =
      namedValue<structure::ArmourMethod>(report::kArmourMethodNames, method, "armour method");
  const std::size_t count = static_cast<std::size_t>(inputs[0].size());
  const std::vector<const double*> in = flatInputs(inputs, count);
  const Outputs out(count, {"Dn50", "M50", "Delta", "Ns", "xi", "xi_critical", "steepness"},
                    {"breaker"});
  forEach(count, workers, [&](std::size_t i) {
    structure::ArmourInput a;
    a.method = m;
    a.Hs = in[0][i], a.T = in[1][i], a.cotAlpha = in[2][i], a.P = in[3][i], a.S = in[4][i];
    a.N = in[5][i], a.KD = in[6][i], a.H2 = in[7][i], a.h = in[8][i], a.rhoS = in[9][i];
    a.rho = in[10][i];
    const structure::ArmourResult r = structure::armour(a);
    const auto values = report::armourValues(r);
    for (std::size_t k = 0; k < values.size(); ++k) out.column(k)[i] = values[k];
    out.code(0)[i] = static_cast<std::uint8_t>(r.breaker);
    out.put(i, r.error, r.warnings);
  });
  return out.dict();
}

// The transform's model from the keywords Python's model_options checked.
shore::TransformOptions transformOptions(const py::dict& o) {
  // In the order of shore::Dissipation and of shore::GammaRule.
  constexpr std::array<std::string_view, 5> kDissipationOrder = {"bj78", "tg83", "baldock98",
                                                                 "jb07", "none"};
  constexpr std::array<std::string_view, 3> kGammaOrder = {"constant", "battjes-stive1985",
                                                           "ruessink2003"};
  shore::TransformOptions t;
  t.dissipation = namedValue<shore::Dissipation>(
      kDissipationOrder, o["dissipation"].cast<std::string>(), "dissipation");
  t.gamma = namedValue<shore::GammaRule>(kGammaOrder, o["gamma"].cast<std::string>(),
                                         "gamma rule");
  t.gammaConstant = o["gamma_constant"].cast<double>();
  t.alpha = o["alpha"].cast<double>();
  t.B = o["B"].cast<double>();
  t.roller = o["roller"].cast<bool>();
  t.rollerBeta = o["roller_beta"].cast<double>();
  t.setup = o["setup"].cast<bool>();
  t.bottomFriction = o["friction"].cast<bool>();
  t.waveFrictionFactor = o["friction_factor"].cast<double>();
  t.roughness = o["roughness"].cast<double>();
  t.dryDepth = o["dry_depth"].cast<double>();
  t.maxStep = o["max_step"].cast<double>();
  return t;
}

// overtopping_chain(x, z, [Hrms0, Tp, theta0, tide, wind_stress], model,
// structure: dict, limits, workers) -> (code, columns, summary).  The code
// is the profile's, the model's or the chain options' own error, which every
// condition would carry (columns and summary None then).
py::tuple overtoppingChain(const Input& x, const Input& z, const std::vector<Input>& conditions,
                           const py::dict& model, const py::dict& s, std::vector<double> limits,
                           int workers) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  if (x.ndim() != 1 || z.ndim() != 1) {
    throw py::value_error("the profile's x and z must be flat arrays");
  }
  if (conditions.size() != 5) throw py::value_error("the chain takes 5 condition columns");
  const std::size_t count = static_cast<std::size_t>(conditions[0].size());
  const std::vector<const double*> in = flatInputs(conditions, count);
  const shore::TransformOptions t = transformOptions(model);
  structure::ChainOptions o;
  o.xToe = s["x_toe"].cast<double>();
  o.crest = s["crest"].cast<double>();
  o.moundTop = s["mound_top"].cast<double>();
  o.periodRatio = s["period_ratio"].cast<double>();
  o.addDirection = s["add_direction"].cast<bool>();
  o.structure.structure = structureOf(s["structure"].cast<std::string>());
  o.structure.approach = approachOf(s["approach"].cast<std::string>());
  o.structure.cotAlpha = s["cot_alpha"].cast<double>();
  o.structure.gammaF = s["gamma_f"].cast<double>();
  o.structure.gammaB = s["gamma_b"].cast<double>();
  o.structure.gammaV = s["gamma_v"].cast<double>();
  o.structure.beta = s["beta"].cast<double>();
  o.structure.crestWidth = s["crest_width"].cast<double>();
  o.structure.permeableCore = s["permeable_core"].cast<bool>();
  o.structure.foreshore = s["foreshore"].cast<bool>();
  const shore::BedProfile profile{
      std::span<const double>(x.data(), static_cast<std::size_t>(x.size())),
      std::span<const double>(z.data(), static_cast<std::size_t>(z.size()))};
  // The profile and the model are checked by the transform before any
  // condition (a height that is no number stops it right after), the
  // options by the chain's own check.
  shore::Error shared = structure::checkChain(profile, o);
  if (shared == shore::Error::None) {
    shore::SeaCondition probe;
    probe.Hrms0 = std::numeric_limits<double>::quiet_NaN();
    const shore::Error e = shore::transform(profile, probe, t).error;
    if (e != shore::Error::InvalidHeight) shared = e;
  }
  if (x.size() != z.size() || x.size() < 2) shared = shore::Error::ProfileLengthMismatch;
  if (shared != shore::Error::None) {
    return py::make_tuple(static_cast<int>(shared), py::none(), py::none());
  }
  for (const double limit : limits) {
    if (!(std::isfinite(limit) && limit >= 0)) {
      throw py::value_error("limits must be discharges >= 0 (m3/s per m)");
    }
  }
  // Every result a number but the regime, which is a code.
  const Outputs out(count, {report::kChainResultHeader.begin(), report::kChainResultHeader.end() - 1},
                    {"regime"});
  std::vector<structure::ChainRow> rows(count);
  {
    py::gil_scoped_release release;
    const auto block = [&](std::size_t begin, std::size_t end) {
      std::vector<shore::SeaCondition> sea(end - begin);
      for (std::size_t i = begin; i < end; ++i) {
        sea[i - begin] = {in[0][i], in[1][i], in[2][i], in[3][i], in[4][i]};
      }
      structure::overtoppingChain(profile, sea, std::span(rows).subspan(begin, end - begin), o, t);
    };
    // A condition costs a few hundred microseconds (the transform): ranges
    // of a few conditions keep every thread busy to the end.
    if (workers == 1 || count <= 8) {
      block(0, count);
    } else {
      tbb::task_arena arena(workers > 0 ? workers : tbb::task_arena::automatic);
      arena.execute([&] {
        tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, 8),
                          [&](const tbb::blocked_range<std::size_t>& r) {
                            block(r.begin(), r.end());
                          });
      });
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    const structure::ChainRow& r = rows[i];
    const std::array<float, 8> values = {r.level, r.depth, r.Hm0, r.Tm10,
                                         r.beta,  r.Rc,    r.Ru2, r.q};
    for (std::size_t k = 0; k < values.size(); ++k) out.column(k)[i] = values[k];
    out.code(0)[i] = std::isnan(r.q) ? 255 : static_cast<std::uint8_t>(r.regime);
    out.put(i, r.error, r.warnings);
  }
  py::dict columns = out.dict();
  const structure::ChainSummary summary = structure::summarize(rows, limits);
  py::dict totals;
  totals["limits"] = summary.limits;
  totals["above"] = summary.above;
  totals["rows"] = summary.rows;
  totals["computed"] = summary.computed;
  totals["failed"] = summary.failed;
  totals["q_max"] = summary.qMax;
  totals["q_max_index"] = summary.qMaxIndex == structure::ChainSummary::kNoRow
                              ? py::object(py::none())
                              : py::object(py::int_(summary.qMaxIndex));
  return py::make_tuple(0, columns, totals);
}

template <std::size_t N>
py::tuple names(const std::array<std::string_view, N>& texts) {
  py::list list;
  for (const std::string_view text : texts) list.append(py::str(std::string(text)));
  return py::tuple(list);
}

}  // namespace

void addStructure(py::module_& m) {
  m.attr("CAISSON_INPUTS") = names(report::kCaissonInputHeader);
  m.attr("CAISSON_SETTINGS") = names(report::kCaissonSettingHeader);
  m.attr("CAISSON_RESULTS") = names(report::kCaissonResultHeader);
  m.attr("DESIGN_WAVE_RESULTS") = names(report::kDesignWaveResultHeader);
  m.attr("OVERTOPPING_INPUTS") = names(report::kOvertoppingInputHeader);
  m.attr("OVERTOPPING_SETTINGS") = names(report::kOvertoppingSettingHeader);
  m.attr("ARMOUR_INPUTS") = names(report::kArmourInputHeader);
  m.attr("ARMOUR_SETTINGS") = names(report::kArmourSettingHeader);
  m.attr("ARMOUR_RESULTS") = names(report::kArmourResultHeader);
  m.attr("CHAIN_RESULTS") = names(report::kChainResultHeader);
  m.attr("STRUCTURES") = names(report::kStructureNames);
  m.attr("APPROACHES") = names(report::kApproachNames);
  m.attr("REGIMES") = names(report::kRegimeNames);
  m.attr("ARMOUR_METHODS") = names(report::kArmourMethodNames);
  m.attr("ARMOUR_BREAKERS") = names(report::kArmourBreakerNames);
  m.attr("NEGLIGIBLE_DISCHARGE") = structure::kNegligibleDischarge;
  m.attr("REQUIRED_SAFETY_FACTOR") = structure::kRequiredSafetyFactor;

  m.def("caisson", &caisson, py::arg("inputs"), py::arg("impulsive"),
        py::arg("required_safety"), py::arg("workers"),
        "Goda's pressures, the forces and the stability per element of 18 flat float64\n"
        "columns (CAISSON_INPUTS, CAISSON_SETTINGS): float32 CAISSON_RESULTS, 'error', 'warning'.");
  m.def("design_wave", &designWave, py::arg("inputs"), py::arg("workers"),
        "The design wave from H0p, T13, n, h per element: DESIGN_WAVE_RESULTS, uint8 'at_hb'.");
  m.def("overtopping", &overtopping, py::arg("inputs"), py::arg("structure"),
        py::arg("approach"), py::arg("foreshore"), py::arg("permeable_core"), py::arg("workers"),
        "EurOtop's mean discharge per element: q, q_star, xi, gamma_beta, impulsiveness, Cr,\n"
        "uint8 'regime' (index into REGIMES, 255 where none).");
  m.def("runup", &runup, py::arg("inputs"), py::arg("approach"), py::arg("permeable_core"),
        py::arg("workers"), "EurOtop's 2 % runup per element: Ru2, xi, gamma_beta, gamma_f_surging.");
  m.def("armour", &armour, py::arg("inputs"), py::arg("method"), py::arg("workers"),
        "Rock armour per element: Dn50, M50, Delta, Ns, xi, xi_critical, steepness, uint8\n"
        "'breaker' (index into ARMOUR_BREAKERS).");
  m.def("overtopping_chain", &overtoppingChain, py::arg("x"), py::arg("z"),
        py::arg("conditions"), py::arg("model"), py::arg("structure"), py::arg("limits"),
        py::arg("workers"),
        "The hindcast chain at a toe: (code, columns of CHAIN_RESULTS, summary dict).");
}

}  // namespace saiha::python
