// saiha._saiha: the numeric engine for NumPy arrays.
//
// The Python side broadcasts the arguments and hands over flat, contiguous
// float64 arrays of one length; this module runs one whole calculation per
// element, as the calculation window does for one set of boxes, on oneTBB
// threads with the GIL released, and returns flat float32 columns and the
// error codes.  Nothing here raises for an element: each carries its code.
// The breaker and shoaling models come by their stable names; the
// comparison of every model, the longshore transport and the quantities at
// the shoreline complete the set.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "report/case.h"
#include "report/compare_table.h"
#include "report/messages.h"
#include "report/units.h"
#include "report/profile_table.h"
#include "report/shoreline_table.h"
#include "saiha/version.h"
#include "shore/comparison.h"
#include "shore/engine.h"
#include "shore/error_names.h"
#include "shore/model_choice.h"
#include "python/structure.h"
#include "report/random_table.h"
#include "shore/random_waves.h"
#include "shore/shoreline.h"
#include "shore/transform.h"

namespace py = pybind11;
namespace shore = saiha::shore;
namespace report = saiha::report;

namespace {

using Input = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The results of one element, in the order of the returned columns.
constexpr std::array<std::string_view, 13> kResultNames = {
    "Hb", "hb", "gamma", "theta_b", "h", "L", "theta", "C", "H",
    "a_bottom", "u_bottom", "a_surface", "u_surface"};

// The columns of one call, all of the same length: inputs Ho (m), T (s),
// αo (degrees), n and h (m; NaN takes the breaking depth), results in the
// order of kResultNames, and the codes; and the breaker limit and shoaling
// rule every element uses (the window's own by default).
struct Columns {
  const double *Ho, *T, *alpha0, *n, *h;
  std::array<float*, kResultNames.size()> results;
  std::uint8_t* error;
  std::uint32_t* warning;  // shore::Warning bits: the breaking point's and the state's
  shore::Model model;
};

// Elements [begin, end): each case as the window computes it (the breaking
// point, the depth as the window chooses it, the state there), the breaking
// points of a block of elements found side by side.  Results not reached
// stay NaN.  The depth written back is the single-precision depth used;
// where the engine refused the given depth or never reached it, the given
// depth narrowed as the engine would narrow it.
// A block of fewer elements than this is computed wave by wave: the
// side-by-side search costs a whole set of lanes however few waves fill it,
// several times one wave's own search.
constexpr std::size_t kSideBySide = 5;

// One element as calcElements writes it, the breaking point found alone.
void calcElement(const Columns& c, std::size_t i) noexcept {
  const double depth = c.h[i];
  const std::optional<double> given =
      std::isnan(depth) ? std::nullopt : std::optional<double>(depth);
  const shore::Breaking breaking = shore::findBreaking({c.Ho[i], c.T[i], c.alpha0[i], c.n[i]},
                                                       c.model);
  const report::CaseResult r = report::calcCase(breaking, given);
  const auto put = [&](std::size_t column, float value) { c.results[column][i] = value; };
  put(0, r.breaking.Hb);
  put(1, r.breaking.hb);
  put(2, r.breaking.gamma);
  put(3, r.breaking.thetaB);
  put(4, std::isnan(r.state.h) && given ? static_cast<float>(depth) : r.state.h);
  const std::array<float, 8> atDepth = r.state.results();
  for (std::size_t j = 0; j < atDepth.size(); ++j) put(5 + j, atDepth[j]);
  c.error[i] = static_cast<std::uint8_t>(r.error);
  c.warning[i] = r.breaking.warnings.bits | r.state.warnings.bits;
}

void calcElements(const Columns& c, std::size_t begin, std::size_t end) noexcept {
  if (end - begin < kSideBySide) {
    for (std::size_t i = begin; i < end; ++i) calcElement(c, i);
    return;
  }
  constexpr std::size_t kBlock = 256;
  std::array<shore::Wave, kBlock> waves;
  std::array<shore::Breaking, kBlock> breakings;
  std::array<std::optional<double>, kBlock> given;
  std::array<report::CaseResult, kBlock> cases;
  for (std::size_t first = begin; first < end; first += kBlock) {
    const std::size_t count = std::min(kBlock, end - first);
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = first + k;
      waves[k] = {c.Ho[i], c.T[i], c.alpha0[i], c.n[i]};
    }
    shore::findBreaking(std::span(waves.data(), count), std::span(breakings.data(), count),
                        c.model);
    for (std::size_t k = 0; k < count; ++k) {
      const double depth = c.h[first + k];
      given[k] = std::isnan(depth) ? std::nullopt : std::optional<double>(depth);
    }
    report::calcCases(std::span(breakings.data(), count), std::span(given.data(), count),
                      std::span(cases.data(), count));
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = first + k;
      const double depth = c.h[i];
      const report::CaseResult& r = cases[k];
      const auto put = [&](std::size_t column, float value) { c.results[column][i] = value; };
      put(0, r.breaking.Hb);
      put(1, r.breaking.hb);
      put(2, r.breaking.gamma);
      put(3, r.breaking.thetaB);
      put(4, std::isnan(r.state.h) && given[k] ? static_cast<float>(depth) : r.state.h);
      const std::array<float, 8> atDepth = r.state.results();
      for (std::size_t j = 0; j < atDepth.size(); ++j) put(5 + j, atDepth[j]);
      c.error[i] = static_cast<std::uint8_t>(r.error);
      c.warning[i] = r.breaking.warnings.bits | r.state.warnings.bits;
    }
  }
}

// Runs `body(begin, end)` over ranges covering [0, count) on `workers`
// threads (0: all cores), ranges of about `grain` elements.
template <class Body>
void forEachRange(std::size_t count, int workers, const Body& body, std::size_t grain = 256) {
  if (workers == 1 || count <= 1) {
    body(std::size_t{0}, count);
    return;
  }
  tbb::task_arena arena(workers > 0 ? workers : tbb::task_arena::automatic);
  arena.execute([&] {
    // A calculation costs a few µs: ranges of some hundred elements keep the
    // lanes of the breaking search full and both cores busy to the end.
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, grain),
                      [&](const tbb::blocked_range<std::size_t>& range) {
                        body(range.begin(), range.end());
                      });
  });
}

// The model two names give; ValueError naming the valid ones for any other
// text (a wrong argument, not an element's failure).
shore::Model modelOf(std::string_view breaker, std::string_view shoaling) {
  shore::Model model;
  if (const auto limit = shore::parseBreaker(breaker)) {
    model.breaker = *limit;
  } else {
    throw py::value_error("unknown breaker limit '" + std::string(breaker) + "'; one of " +
                          shore::breakerNameList());
  }
  if (const auto rule = shore::parseShoaling(shoaling)) {
    model.shoaling = *rule;
  } else {
    throw py::value_error("unknown shoaling rule '" + std::string(shoaling) + "'; one of " +
                          shore::shoalingNameList());
  }
  return model;
}

// Texts (such as a header, or a model family's stable names in the engine's
// order) as a Python tuple of str.
template <class Texts>
py::tuple textTuple(Texts&& texts) {
  py::list list;
  for (const std::string_view text : texts) list.append(py::str(std::string(text)));
  return py::tuple(list);
}

// ValueError unless every input is a flat array of `count` elements.
void checkFlat(std::initializer_list<const Input*> inputs, std::size_t count) {
  for (const Input* input : inputs) {
    if (input->ndim() != 1 || static_cast<std::size_t>(input->size()) != count) {
      throw py::value_error("the inputs must be flat arrays of one length");
    }
  }
}

// calc(Ho, T, alpha0, n, h, workers, breaker, shoaling) -> dict of flat columns.
py::dict calc(const Input& Ho, const Input& T, const Input& alpha0, const Input& n,
              const Input& h, int workers, std::string_view breaker, std::string_view shoaling) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  const shore::Model model = modelOf(breaker, shoaling);
  const std::size_t count = static_cast<std::size_t>(Ho.size());
  checkFlat({&Ho, &T, &alpha0, &n, &h}, count);

  py::dict out;
  Columns c{Ho.data(), T.data(), alpha0.data(), n.data(), h.data(), {}, nullptr, nullptr, model};
  for (std::size_t k = 0; k < kResultNames.size(); ++k) {
    py::array_t<float> column(static_cast<py::ssize_t>(count));
    c.results[k] = column.mutable_data();
    out[py::str(std::string(kResultNames[k]))] = column;
  }
  py::array_t<std::uint8_t> error(static_cast<py::ssize_t>(count));
  c.error = error.mutable_data();
  out["error"] = error;
  py::array_t<std::uint32_t> warning(static_cast<py::ssize_t>(count));
  c.warning = warning.mutable_data();
  out["warning"] = warning;

  {
    py::gil_scoped_release release;
    forEachRange(count, workers,
                 [&](std::size_t begin, std::size_t end) { calcElements(c, begin, end); });
  }
  return out;
}

// calc_one(Ho, T, alpha0, n, h, breaker, shoaling) -> (results, codes): one
// element as calc computes it (h NaN: the breaking depth), its 13 results
// in one float32 array in the order of kResultNames and its error code and
// warning bits in one uint32 array: two allocations rather than fifteen, for
// the package's call on scalars.
py::tuple calcOne(double Ho, double T, double alpha0, double n, double h,
                  std::string_view breaker, std::string_view shoaling) {
  const shore::Model model = modelOf(breaker, shoaling);
  py::array_t<float> results(static_cast<py::ssize_t>(kResultNames.size()));
  py::array_t<std::uint32_t> codes(2);
  std::uint8_t code = 0;
  Columns c{&Ho, &T, &alpha0, &n, &h, {}, &code, codes.mutable_data() + 1, model};
  float* first = results.mutable_data();
  for (std::size_t k = 0; k < kResultNames.size(); ++k) c.results[k] = first + k;
  {
    py::gil_scoped_release release;
    calcElement(c, 0);
  }
  codes.mutable_at(0) = code;
  return py::make_tuple(results, codes);
}

// The code of a number; ValueError outside the codes or for a reserved value,
// which has no name.
shore::Error codeOf(int code) {
  if (code < 0 || code >= static_cast<int>(shore::kErrorCount) ||
      shore::errorName(static_cast<shore::Error>(code)).empty()) {
    throw py::value_error("no such error code: " + std::to_string(code));
  }
  return static_cast<shore::Error>(code);
}

// profile(Ho, T, alpha0, n, from_depth, stations, spacing) -> (code, columns).
// The code is the profile's own error (no stations then); each station's
// results not reached are NaN and its rule an empty text.
py::tuple profile(double Ho, double T, double alpha0, double n, std::optional<double> fromDepth,
                  int stations, std::optional<double> spacing, std::string_view breaker,
                  std::string_view shoaling) {
  const shore::Model model = modelOf(breaker, shoaling);
  shore::ProfileOptions options;
  options.fromDepth = fromDepth;
  options.stations = stations;
  options.spacing = spacing;
  shore::Profile p;
  {
    py::gil_scoped_release release;
    p = shore::profile({Ho, T, alpha0, n}, options, model);
  }

  const auto count = static_cast<py::ssize_t>(p.stations.size());
  constexpr std::array<std::string_view, 10> kNumbers = {
      "x", "h", "H", "L", "C", "theta", "a_bottom", "u_bottom", "a_surface", "u_surface"};
  std::array<py::array_t<float>, kNumbers.size()> numbers;
  for (auto& column : numbers) column = py::array_t<float>(count);
  py::list rule(count), point(count), error(count), warning(count);
  for (py::ssize_t i = 0; i < count; ++i) {
    const shore::Station& station = p.stations[static_cast<std::size_t>(i)];
    warning[i] = p.breaking.warnings.bits | station.state.warnings.bits;
    const shore::State& s = station.state;
    const std::array<float, kNumbers.size()> values = {
        station.x, s.h, s.H, s.L, s.C, s.theta, s.aBottom, s.uBottom, s.aSurface, s.uSurface};
    for (std::size_t k = 0; k < values.size(); ++k) numbers[k].mutable_at(i) = values[k];
    rule[i] = s.rule ? py::str(std::string(report::ruleName(*s.rule))) : py::str("");
    point[i] = py::str(std::string(report::markName(station.mark)));
    error[i] = static_cast<int>(s.error);
  }
  py::dict columns;
  for (std::size_t k = 0; k < kNumbers.size(); ++k) {
    columns[py::str(std::string(kNumbers[k]))] = numbers[k];
  }
  columns["rule"] = rule;
  columns["point"] = point;
  columns["error"] = error;
  columns["warning"] = warning;
  return py::make_tuple(static_cast<int>(p.error), columns);
}

shore::TransportParams transportParams(double K, double rho, double rhoS, double porosity) {
  shore::TransportParams params;
  params.K = K;
  params.rho = rho;
  params.rhoS = rhoS;
  params.porosity = porosity;
  return params;
}

// compare(Ho, T, alpha0, n, K, rho, rho_s, porosity) -> columns of the
// comparison rows: breaker and shoaling names, the numbers (float32, NaN
// where not reached) and each row's code.
py::dict compare(double Ho, double T, double alpha0, double n, double K, double rho,
                 double rhoS, double porosity, bool significant) {
  const shore::TransportParams params = transportParams(K, rho, rhoS, porosity);
  std::vector<shore::ComparisonRow> rows;
  {
    py::gil_scoped_release release;
    rows = shore::compare({Ho, T, alpha0, n}, params,
                          significant ? shore::HeightBasis::Significant
                                      : shore::HeightBasis::Regular);
  }
  const auto count = static_cast<py::ssize_t>(rows.size());
  constexpr std::array<std::string_view, 7> kNumbers = {
      "Hb", "hb", "gamma", "theta_b", "Q_m3_per_s", "Q_m3_per_year", "xi0"};
  std::array<py::array_t<float>, kNumbers.size()> numbers;
  for (auto& column : numbers) column = py::array_t<float>(count);
  py::array_t<std::uint8_t> error(count);
  py::array_t<std::uint32_t> warning(count);  // every bit of shore::Warnings
  py::list breakerColumn(count), shoalingColumn(count), typeColumn(count);
  for (py::ssize_t i = 0; i < count; ++i) {
    const shore::ComparisonRow& row = rows[static_cast<std::size_t>(i)];
    const std::array<float, kNumbers.size()> values = {row.Hb, row.hb,    row.gamma, row.thetaB,
                                                       row.Q,  row.Qyear, row.xi0};
    typeColumn[i] = py::str(
        row.breakerType ? std::string(report::breakerTypeName(*row.breakerType)) : std::string());
    for (std::size_t k = 0; k < values.size(); ++k) numbers[k].mutable_at(i) = values[k];
    breakerColumn[i] = py::str(std::string(
        row.model ? shore::breakerName(row.model->breaker) : report::kEmpiricalBreakerName));
    shoalingColumn[i] = py::str(std::string(
        row.model ? shore::shoalingName(row.model->shoaling) : report::kEmpiricalShoalingName));
    error.mutable_at(i) = static_cast<std::uint8_t>(row.error);
    warning.mutable_at(i) = row.warnings.bits;
  }
  py::dict columns;
  columns["breaker"] = breakerColumn;
  columns["shoaling"] = shoalingColumn;
  for (std::size_t k = 0; k < kNumbers.size(); ++k) {
    columns[py::str(std::string(kNumbers[k]))] = numbers[k];
  }
  columns["error"] = error;
  columns["warning"] = warning;
  columns["breaker_type"] = typeColumn;
  return columns;
}

// random_waves(H0p, T13, n, h, workers) -> dict of flat columns: Ks, H13 and
// Hmax (float32, NaN where not reached), the codes under "error" (uint8) and
// the shore::Warning bits under "warning" (uint32).
py::dict randomWaves(const Input& H0p, const Input& T13, const Input& n, const Input& h,
                     int workers) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  const std::size_t count = static_cast<std::size_t>(H0p.size());
  checkFlat({&H0p, &T13, &n, &h}, count);
  const auto length = static_cast<py::ssize_t>(count);
  py::array_t<float> Ks(length), H13(length), Hmax(length);
  py::array_t<std::uint8_t> error(length);
  py::array_t<std::uint32_t> warning(length);
  {
    const double *height = H0p.data(), *period = T13.data(), *slope = n.data(), *depth = h.data();
    float *ks = Ks.mutable_data(), *h13 = H13.mutable_data(), *hmax = Hmax.mutable_data();
    std::uint8_t* code = error.mutable_data();
    std::uint32_t* bits = warning.mutable_data();
    py::gil_scoped_release release;
    forEachRange(count, workers, [&](std::size_t begin, std::size_t end) {
      for (std::size_t i = begin; i < end; ++i) {
        const shore::RandomState r = shore::randomWaves(height[i], period[i], slope[i], depth[i]);
        ks[i] = r.Ks;
        h13[i] = r.H13;
        hmax[i] = r.Hmax;
        code[i] = static_cast<std::uint8_t>(r.error);
        bits[i] = r.warnings.bits;
      }
    });
  }
  py::dict out;
  out["Ks"] = Ks;
  out["H13"] = H13;
  out["Hmax"] = Hmax;
  out["error"] = error;
  out["warning"] = warning;
  return out;
}

// random_profile(H0p, T13, n, from_depth, stations) -> (code, columns): the
// profile's own error (no stations then) and the columns of
// kRandomProfileHeader, numbers as float32 (NaN where not reached), texts as
// str, each station's code under "error" and its shore::Warning bits under
// "warning".
py::tuple randomProfile(double H0p, double T13, double n, std::optional<double> fromDepth,
                        int stations) {
  shore::ProfileOptions options;
  options.fromDepth = fromDepth;
  options.stations = stations;
  shore::RandomProfile p;
  {
    py::gil_scoped_release release;
    p = shore::randomProfile(H0p, T13, n, options);
  }
  const auto count = static_cast<py::ssize_t>(p.stations.size());
  constexpr std::array<std::string_view, 5> kNumbers = {"x", "h", "Ks", "H13", "Hmax"};
  std::array<py::array_t<float>, kNumbers.size()> numbers;
  for (auto& column : numbers) column = py::array_t<float>(count);
  py::list point(count), h13Term(count), hmaxTerm(count), error(count), warning(count);
  const auto term = [](const std::optional<shore::RandomTerm>& t) {
    return py::str(t ? std::string(report::randomTermName(*t)) : std::string());
  };
  for (py::ssize_t i = 0; i < count; ++i) {
    const shore::RandomStation& station = p.stations[static_cast<std::size_t>(i)];
    const shore::RandomState& s = station.state;
    const std::array<float, kNumbers.size()> values = {station.x, s.h, s.Ks, s.H13, s.Hmax};
    for (std::size_t k = 0; k < values.size(); ++k) numbers[k].mutable_at(i) = values[k];
    point[i] = py::str(std::string(report::markName(station.mark)));
    h13Term[i] = term(s.H13Term);
    hmaxTerm[i] = term(s.HmaxTerm);
    error[i] = static_cast<int>(s.error);
    warning[i] = s.warnings.bits;
  }
  py::dict columns;
  for (std::size_t k = 0; k < kNumbers.size(); ++k) {
    columns[py::str(std::string(kNumbers[k]))] = numbers[k];
  }
  columns["point"] = point;
  columns["H13_term"] = h13Term;
  columns["Hmax_term"] = hmaxTerm;
  columns["error"] = error;
  columns["warning"] = warning;
  return py::make_tuple(static_cast<int>(p.error), columns);
}


// The columns of shoreline(), in the order of the Python attributes.
constexpr std::array<std::string_view, 19> kShorelineNames = {
    "Hb", "hb", "gamma", "theta_b", "xi0", "xi_b", "setdown_b", "setup_gradient",
    "setup_shoreline", "shoreline_shift", "setup_max", "runup_xi0", "runup_setup",
    "swash_incident", "swash_infragravity", "swash", "R2", "Hb_rms", "V"};

// The breaker type as a small code: its place in breakerTypeName's order, or
// −1 when not reached.
std::int8_t typeCode(const std::optional<shore::BreakerType>& type) {
  return type ? static_cast<std::int8_t>(*type) : std::int8_t{-1};
}

// A NaN element of an optional runup input takes the default.
std::optional<double> givenOrDefault(double value) {
  return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

// shoreline(Ho, T, alpha0, n, beta_f, runup_H0, runup_Tp, workers, breaker,
// shoaling) -> dict of flat columns: float32 by kShorelineNames, int8 codes
// of the breaker types (by ξ0 and by ξb), whether Stockdon's dissipative fit
// was used, each element's first error and its warning bits (uint32, every
// part's).  breaker "komar-gaughan" (shoaling "weggel") takes the empirical
// breaking point, shore::empiricalShoreline.
py::dict shoreline(const Input& Ho, const Input& T, const Input& alpha0, const Input& n,
                   const Input& betaF, const Input& H0, const Input& Tp, int workers,
                   std::string_view breaker, std::string_view shoaling) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  const bool empirical = breaker == report::kEmpiricalBreakerName;
  if (empirical && shoaling != report::kEmpiricalShoalingName) {
    throw py::value_error("breaker '" + std::string(breaker) + "' takes shoaling '" +
                          std::string(report::kEmpiricalShoalingName) + "', not '" +
                          std::string(shoaling) + "'");
  }
  const shore::Model model = empirical ? shore::Model{} : modelOf(breaker, shoaling);
  const std::size_t count = static_cast<std::size_t>(Ho.size());
  checkFlat({&Ho, &T, &alpha0, &n, &betaF, &H0, &Tp}, count);
  const auto length = static_cast<py::ssize_t>(count);
  py::dict out;
  std::array<float*, kShorelineNames.size()> numbers{};
  for (std::size_t k = 0; k < kShorelineNames.size(); ++k) {
    py::array_t<float> column(length);
    numbers[k] = column.mutable_data();
    out[py::str(std::string(kShorelineNames[k]))] = column;
  }
  py::array_t<std::int8_t> type(length), typeB(length);
  py::array_t<bool> dissipative(length);
  py::array_t<std::uint8_t> error(length);
  py::array_t<std::uint32_t> warning(length);
  out["breaker_type"] = type;
  out["breaker_type_b"] = typeB;
  out["dissipative"] = dissipative;
  out["error"] = error;
  out["warning"] = warning;
  const double *ho = Ho.data(), *t = T.data(), *a = alpha0.data(), *slope = n.data(),
               *bf = betaF.data(), *h0 = H0.data(), *tp = Tp.data();
  std::int8_t *types = type.mutable_data(), *typesB = typeB.mutable_data();
  bool* fits = dissipative.mutable_data();
  std::uint8_t* codes = error.mutable_data();
  std::uint32_t* bits = warning.mutable_data();
  {
    py::gil_scoped_release release;
    forEachRange(count, workers, [&](std::size_t begin, std::size_t end) {
      for (std::size_t i = begin; i < end; ++i) {
        const shore::RunupInput input{givenOrDefault(h0[i]), givenOrDefault(tp[i]),
                                      givenOrDefault(bf[i])};
        const shore::Wave wave{ho[i], t[i], a[i], slope[i]};
        const shore::Shoreline s = empirical ? shore::empiricalShoreline(wave, input)
                                             : shore::shoreline(wave, model, input);
        const shore::Breaking& b = s.breaking;
        const shore::Runup& r = s.runup;
        const std::array<float, kShorelineNames.size()> values = {
            b.Hb, b.hb, b.gamma, b.thetaB, s.surf.xi0, s.surf.xib, s.setup.etaB,
            s.setup.gradient, s.setup.etaS, s.setup.shoreShift, s.setup.etaMax, r.xi0, r.setup,
            r.swashIncident, r.swashInfragravity, r.swash, r.R2, s.current.HbRms, s.current.V};
        for (std::size_t k = 0; k < values.size(); ++k) numbers[k][i] = values[k];
        types[i] = typeCode(s.surf.type);
        typesB[i] = typeCode(s.surf.typeAtBreaking);
        fits[i] = r.ok() && r.dissipative;
        codes[i] = static_cast<std::uint8_t>(report::firstError(s));
        bits[i] = s.warnings().bits;
      }
    });
  }
  return out;
}

// transport(Hb, hb, theta_b, gamma, K, rho, rho_s, porosity) -> dict of flat
// columns.  Each element's inputs are narrowed to single precision as the
// engine keeps them; the breaker index κ is shore::breakerIndex's.
py::dict transport(const Input& Hb, const Input& hb, const Input& thetaB, const Input& gamma,
                   double K, double rho, double rhoS, double porosity) {
  const shore::TransportParams params = transportParams(K, rho, rhoS, porosity);
  const std::size_t count = static_cast<std::size_t>(Hb.size());
  checkFlat({&Hb, &hb, &thetaB, &gamma}, count);
  py::array_t<float> perSecond(static_cast<py::ssize_t>(count));
  py::array_t<float> perYear(static_cast<py::ssize_t>(count));
  py::array_t<std::uint8_t> error(static_cast<py::ssize_t>(count));
  {
    py::gil_scoped_release release;
    const double *H = Hb.data(), *d = hb.data(), *theta = thetaB.data(), *g = gamma.data();
    float *q = perSecond.mutable_data(), *qYear = perYear.mutable_data();
    std::uint8_t* code = error.mutable_data();
    for (std::size_t i = 0; i < count; ++i) {
      const auto height = static_cast<float>(H[i]);
      const float kappa =
          shore::breakerIndex(height, static_cast<float>(d[i]), static_cast<float>(g[i]));
      const shore::Transport t =
          shore::longshoreTransport(height, kappa, static_cast<float>(theta[i]), params);
      q[i] = t.perSecond;
      qYear[i] = t.perYear;
      code[i] = static_cast<std::uint8_t>(t.error);
    }
  }
  py::dict out;
  out["Q_m3_per_s"] = perSecond;
  out["Q_m3_per_year"] = perYear;
  out["error"] = error;
  return out;
}

// The breaking dissipations and the rules of the breaker parameter γ of the
// energy-balance transformation by their stable names, the default first.
constexpr std::array<std::pair<std::string_view, shore::Dissipation>, 5> kDissipations = {{
    {"bj78", shore::Dissipation::BJ78},
    {"tg83", shore::Dissipation::TG83},
    {"baldock98", shore::Dissipation::Baldock98},
    {"jb07", shore::Dissipation::JB07},
    {"none", shore::Dissipation::None},
}};
constexpr std::array<std::pair<std::string_view, shore::Mixing>, 3> kMixings = {{
    {"none", shore::Mixing::None},
    {"battjes1975", shore::Mixing::Battjes1975},
    {"constant", shore::Mixing::Constant},
}};
constexpr std::array<std::pair<std::string_view, shore::GammaRule>, 3> kGammaRules = {{
    {"ruessink2003", shore::GammaRule::Ruessink2003},
    {"battjes-stive1985", shore::GammaRule::BattjesStive1985},
    {"constant", shore::GammaRule::Constant},
}};

// The value a table gives a name; ValueError listing the names otherwise.
template <class Table>
auto named(const Table& table, std::string_view name, std::string_view what) {
  std::string names;
  for (const auto& [text, value] : table) {
    if (text == name) return value;
    names += (names.empty() ? "" : ", ") + std::string(text);
  }
  throw py::value_error("unknown " + std::string(what) + " '" + std::string(name) + "'; one of " +
                        names);
}

// The results of the transformation at each profile point, and those of each
// condition, in the order of the returned columns.
constexpr std::array<std::string_view, 10> kTransformPointNames = {
    "h", "eta", "Hrms", "Hm0", "H13", "H110", "H2", "Qb", "theta", "V"};
constexpr std::array<std::string_view, 7> kTransformSummaryNames = {
    "x_breaking", "h_breaking", "eta_max", "x_shoreline", "runup_H0", "foreshore_slope", "R2"};

// Conditions per call of the engine within one range: its working arrays and
// the results' storage serve the whole block.
constexpr std::size_t kTransformBlock = 32;

// transform(x, z, Hrms0, Tp, theta0, tide, wind_stress, workers, options...)
// -> (code, columns).  The code is the profile's or the options' own error,
// which every condition would carry (no columns then, None); otherwise 0 and
// the columns: float32 (conditions, points) arrays by kTransformPointNames,
// float32 per-condition columns by kTransformSummaryNames, uint8 "error",
// uint32 "warning" and int32 "last_wet".
py::tuple transformConditions(const Input& x, const Input& z, const Input& Hrms0,
                              const Input& Tp, const Input& theta0, const Input& tide,
                              const Input& wind, int workers, std::string_view dissipation,
                              std::string_view gamma, double gammaConstant, double alpha,
                              double B, bool roller, double rollerBeta, bool setup,
                              bool friction, double frictionFactor, double roughness,
                              double dryDepth, double maxStep, std::string_view mixing,
                              double mixingCoefficient) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  if (x.ndim() != 1 || z.ndim() != 1) {
    throw py::value_error("the profile's x and z must be flat arrays");
  }
  shore::TransformOptions options;
  options.dissipation = named(kDissipations, dissipation, "dissipation");
  options.gamma = named(kGammaRules, gamma, "gamma rule");
  options.gammaConstant = gammaConstant;
  options.alpha = alpha;
  options.B = B;
  options.roller = roller;
  options.rollerBeta = rollerBeta;
  options.setup = setup;
  options.bottomFriction = friction;
  options.waveFrictionFactor = frictionFactor;
  options.roughness = roughness;
  options.dryDepth = dryDepth;
  options.maxStep = maxStep;
  options.mixing = named(kMixings, mixing, "mixing");
  options.mixingCoefficient = mixingCoefficient;
  const std::size_t count = static_cast<std::size_t>(Hrms0.size());
  checkFlat({&Hrms0, &Tp, &theta0, &tide, &wind}, count);
  const std::size_t points = static_cast<std::size_t>(x.size());
  const shore::BedProfile profile{std::span<const double>(x.data(), points),
                                  std::span<const double>(z.data(), static_cast<std::size_t>(z.size()))};

  // The profile and the options are checked before any condition.
  const shore::Error shared = shore::checkTransformSetup(profile, options);
  if (shared != shore::Error::None) return py::make_tuple(static_cast<int>(shared), py::none());
  // Conditions per engine call: fewer where each takes many steps, so that
  // a Ctrl+C is seen within a fraction of a second (about 3e5 steps).
  const double steps = std::max(1.0, shore::transformSteps(profile, options));
  const std::size_t block =
      std::clamp<std::size_t>(static_cast<std::size_t>(3e5 / steps), 1, kTransformBlock);

  const auto rows = static_cast<py::ssize_t>(count);
  const auto columns = static_cast<py::ssize_t>(points);
  py::dict out;
  std::array<float*, kTransformPointNames.size()> along{};
  for (std::size_t k = 0; k < kTransformPointNames.size(); ++k) {
    py::array_t<float> column({rows, columns});
    along[k] = column.mutable_data();
    out[py::str(std::string(kTransformPointNames[k]))] = column;
  }
  std::array<float*, kTransformSummaryNames.size()> summary{};
  for (std::size_t k = 0; k < kTransformSummaryNames.size(); ++k) {
    py::array_t<float> column(rows);
    summary[k] = column.mutable_data();
    out[py::str(std::string(kTransformSummaryNames[k]))] = column;
  }
  py::array_t<std::uint8_t> error(rows);
  py::array_t<std::uint32_t> warning(rows);
  py::array_t<std::int32_t> lastWet(rows);
  py::array_t<std::uint32_t> pointWarning({rows, columns});
  out["error"] = error;
  out["warning"] = warning;
  out["last_wet"] = lastWet;
  out["point_warning"] = pointWarning;
  std::uint32_t* pointBits = pointWarning.mutable_data();
  const double *height = Hrms0.data(), *period = Tp.data(), *angle = theta0.data(),
               *level = tide.data(), *stress = wind.data();
  std::uint8_t* codes = error.mutable_data();
  std::uint32_t* bits = warning.mutable_data();
  std::int32_t* edges = lastWet.mutable_data();
  // A Ctrl+C (or any signal whose handler raises) stops the call: the
  // thread that holds the interpreter's main thread checks between blocks,
  // with the GIL taken back for the check alone, and every thread stops at
  // its next block.
  const std::thread::id mainThread = std::this_thread::get_id();
  std::atomic<bool> stop{false};
  std::optional<py::error_already_set> raised;
  {
    py::gil_scoped_release release;
    // A condition costs some hundred microseconds on a profile of a few
    // hundred points: ranges of a few conditions keep every thread busy.
    forEachRange(
        count, workers,
        [&](std::size_t begin, std::size_t end) {
          std::vector<shore::SeaCondition> sea(std::min(block, end - begin));
          std::vector<shore::TransformResult> results(sea.size());
          for (std::size_t first = begin; first < end; first += sea.size()) {
            if (stop.load(std::memory_order_relaxed)) return;
            if (std::this_thread::get_id() == mainThread) {
              py::gil_scoped_acquire hold;
              if (PyErr_CheckSignals() != 0) {
                raised.emplace();
                stop = true;
                return;
              }
            }
            const std::size_t n = std::min(sea.size(), end - first);
            for (std::size_t k = 0; k < n; ++k) {
              const std::size_t i = first + k;
              sea[k] = {height[i], period[i], angle[i], level[i], stress[i]};
            }
            shore::transform(profile, std::span(sea.data(), n), std::span(results.data(), n),
                             options);
            for (std::size_t k = 0; k < n; ++k) {
              const std::size_t i = first + k;
              const shore::TransformResult& r = results[k];
              const std::array<const std::vector<float>*, kTransformPointNames.size()> values = {
                  &r.h, &r.eta, &r.Hrms, &r.Hm0, &r.H13, &r.H110, &r.H2, &r.Qb, &r.theta, &r.V};
              for (std::size_t q = 0; q < values.size(); ++q) {
                float* row = along[q] + i * points;
                const std::size_t given = std::min(points, values[q]->size());
                std::copy_n(values[q]->data(), given, row);
                std::fill(row + given, row + points, shore::kNotReached);
              }
              const std::array<float, kTransformSummaryNames.size()> ends = {
                  r.xBreaking, r.hBreaking, r.etaMax, r.xShoreline,
                  r.runupH0,   r.foreshoreSlope, r.R2};
              for (std::size_t q = 0; q < ends.size(); ++q) summary[q][i] = ends[q];
              codes[i] = static_cast<std::uint8_t>(r.error);
              bits[i] = r.warnings.bits;
              edges[i] = r.lastWet;
              std::uint32_t* row = pointBits + i * points;
              const std::size_t given = std::min(points, r.pointWarnings.size());
              std::copy_n(r.pointWarnings.data(), given, row);
              std::fill(row + given, row + points, 0u);
            }
          }
        },
        std::min<std::size_t>(4, block));
  }
  if (raised) throw std::move(*raised);
  return py::make_tuple(0, out);
}

}  // namespace

PYBIND11_MODULE(_saiha, m) {
  m.doc() = "The numeric engine of saiha over flat NumPy arrays (see the package saiha).";

  m.attr("RESULT_NAMES") = textTuple(kResultNames);
  m.attr("PROFILE_COLUMNS") = textTuple(report::kProfileHeader);
  m.attr("COMPARE_COLUMNS") = textTuple(report::kCompareHeader);
  m.attr("VERSION") = SAIHA_VERSION;
  m.attr("RANDOM_PROFILE_COLUMNS") = textTuple(report::kRandomProfileHeader);
  m.attr("ERROR_COUNT") = shore::kErrorCount;
  // The C++ names of the error codes, by value: the package's Error is
  // checked against them name by name.
  py::list errorNames;
  for (std::size_t code = 0; code < shore::kErrorCount; ++code) {
    errorNames.append(py::str(std::string(shore::errorName(static_cast<shore::Error>(code)))));
  }
  m.attr("ERROR_NAMES") = py::tuple(errorNames);
  // The warning bits by C++ name, checked against the package's WarningFlag.
  py::dict warningBits;
  for (const shore::Warning bit : shore::kWarnings) {
    warningBits[py::str(std::string(shore::warningName(bit)))] = static_cast<std::uint32_t>(bit);
  }
  m.attr("WARNING_BITS") = warningBits;
  m.attr("MAX_STATIONS") = shore::kMaxStations;
  m.attr("BREAKERS") = textTuple(shore::kBreakerLimits | std::views::transform(shore::breakerName));
  m.attr("SHOALINGS") = textTuple(shore::kShoalings | std::views::transform(shore::shoalingName));
  m.attr("SHORELINE_NAMES") = textTuple(kShorelineNames);
  m.attr("DISSIPATIONS") = textTuple(kDissipations | std::views::keys);
  m.attr("GAMMA_RULES") = textTuple(kGammaRules | std::views::keys);
  m.attr("MIXINGS") = textTuple(kMixings | std::views::keys);
  m.attr("TRANSFORM_POINT_NAMES") = textTuple(kTransformPointNames);
  m.attr("TRANSFORM_SUMMARY_NAMES") = textTuple(kTransformSummaryNames);
  m.attr("BREAKER_TYPES") = textTuple(
      shore::kBreakerTypes | std::views::transform(report::breakerTypeName));

  m.def("calc", &calc, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("h"), py::arg("workers"), py::arg("breaker"), py::arg("shoaling"),
        "One calculation per element of flat float64 arrays of one length under the named\n"
        "model; returns flat float32 columns by name and the uint8 codes under 'error'.\n"
        "workers=0: all cores. ValueError for an unknown model name.");
  m.def("calc_one", &calcOne, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("h"), py::arg("breaker"), py::arg("shoaling"),
        "One calculation (h NaN: the breaking depth) under the named model: its 13 results\n"
        "(float32, in the order of RESULT_NAMES) and its error code and warning bits (uint32).");
  m.def(
      "error_text",
      [](int code, const std::string& lang) {
        if (lang != "ja" && lang != "en") {
          throw py::value_error("unknown language '" + lang + "'; 'ja' or 'en'");
        }
        return report::errorText(codeOf(code), *report::languageNamed(lang));
      },
      py::arg("code"), py::arg("lang") = "ja",
      "The window's message for an error code in 'ja' or 'en'; '' for 0. ValueError for an\n"
      "unknown code or language.");
  m.def("profile", &profile, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("from_depth"), py::arg("stations"), py::arg("spacing"), py::arg("breaker"),
        py::arg("shoaling"),
        "The cross-shore profile under the named model: (code, columns by name).");
  m.def("random_waves", &randomWaves, py::arg("H0p"), py::arg("T13"), py::arg("n"), py::arg("h"),
        py::arg("workers"),
        "Goda's H1/3 and Hmax per element of flat float64 arrays of one length: float32\n"
        "columns Ks, H13, Hmax, uint8 'error' and uint32 'warning'. workers=0: all cores.");
  m.def("random_profile", &randomProfile, py::arg("H0p"), py::arg("T13"), py::arg("n"),
        py::arg("from_depth"), py::arg("stations"),
        "Goda's random-wave profile: (code, columns by name).");
  m.def("compare", &compare, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
        py::arg("significant") = false,
        "Every model on one wave: the comparison rows as columns by name; significant=True\n"
        "feeds Goda's H1/3 at each row's hb to the transport.");
  m.def(
      "check_transport",
      [](double K, double rho, double rhoS, double porosity) {
        return static_cast<int>(shore::checkTransport(transportParams(K, rho, rhoS, porosity)));
      },
      py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
      "The code of the first transport parameter that fails its check, or 0.");
  m.def(
      "column_unit",
      [](const std::string& name, const std::string& mode) -> py::object {
        const auto unit = report::columnUnit(name, mode);
        return unit ? py::object(py::str(std::string(*unit))) : py::object(py::none());
      },
      py::arg("name"), py::arg("mode") = "",
      "The unit of a result column as saiha-calc --units names it ('m', 'm s-1', '1'), or\n"
      "None for a column of text, codes or flags; `mode` ('caisson', 'armour') gives a\n"
      "name whose quantity is the mode's own (P) that mode's unit.");
  m.def(
      "transport_overflow",
      [](double K, double rho, double rhoS, double porosity) -> py::object {
        const shore::TransportParams p = transportParams(K, rho, rhoS, porosity);
        if (shore::checkTransport(p) != shore::Error::None || !shore::transportAlwaysOverflows(p)) {
          return py::none();
        }
        return py::str(report::transportOverflowText("K, rho, rho_s and porosity",
                                                     report::Language::English));
      },
      py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
      "Why parameters that pass their checks overflow every breaker's yearly transport, or\n"
      "None: saiha-calc refuses them as a bad option.");
  m.def("shoreline", &shoreline, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("beta_f"), py::arg("runup_H0"), py::arg("runup_Tp"), py::arg("workers"),
        py::arg("breaker"), py::arg("shoaling"),
        "Breaker type, setup, runup and longshore current per element of flat float64\n"
        "arrays of one length (NaN in beta_f, runup_H0, runup_Tp: the default).");
  m.def("transport", &transport, py::arg("Hb"), py::arg("hb"), py::arg("theta_b"),
        py::arg("gamma"), py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
        "The CERC longshore transport per element of flat float64 arrays of one length.");
  m.def("transform", &transformConditions, py::arg("x"), py::arg("z"), py::arg("Hrms0"),
        py::arg("Tp"), py::arg("theta0"), py::arg("tide"), py::arg("wind_stress"),
        py::arg("workers"), py::arg("dissipation"), py::arg("gamma"),
        py::arg("gamma_constant"), py::arg("alpha"), py::arg("B"), py::arg("roller"),
        py::arg("roller_beta"), py::arg("setup"), py::arg("friction"),
        py::arg("friction_factor"), py::arg("roughness"), py::arg("dry_depth"),
        py::arg("max_step"), py::arg("mixing") = "none", py::arg("mixing_coefficient") = 1.0,
        "Random waves across one profile (flat float64 x, z) for each condition of flat\n"
        "float64 arrays of one length: (code, columns); code the profile's or the options'\n"
        "error (columns None), else 0. workers=0: all cores.");
  saiha::python::addStructure(m);
}
