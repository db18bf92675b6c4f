// saiha._saiha: the numeric engine for NumPy arrays.
//
// The Python side broadcasts the arguments and hands over flat, contiguous
// float64 arrays of one length; this module runs one whole calculation per
// element, as the calculation window does for one set of boxes, on oneTBB
// threads with the GIL released, and returns flat float32 columns and the
// error codes.  Nothing here raises for an element: each carries its code.
// The breaker and shoaling models come by their stable names; the
// comparison of every model and the longshore transport complete the set.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/case.h"
#include "report/compare_table.h"
#include "report/messages.h"
#include "report/profile_table.h"
#include "saiha/version.h"
#include "shore/comparison.h"
#include "shore/engine.h"
#include "shore/error_names.h"
#include "shore/model_choice.h"

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
  shore::Model model;
};

// Elements [begin, end): each case as the window computes it (the breaking
// point, the depth as the window chooses it, the state there), the breaking
// points of a block of elements found side by side.  Results not reached
// stay NaN.  The depth written back is the single-precision depth used;
// where the engine refused the given depth or never reached it, the given
// depth narrowed as the engine would narrow it.
void calcElements(const Columns& c, std::size_t begin, std::size_t end) noexcept {
  constexpr std::size_t kBlock = 256;
  std::array<shore::Wave, kBlock> waves;
  std::array<shore::Breaking, kBlock> breakings;
  for (std::size_t first = begin; first < end; first += kBlock) {
    const std::size_t count = std::min(kBlock, end - first);
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = first + k;
      waves[k] = {c.Ho[i], c.T[i], c.alpha0[i], c.n[i]};
    }
    shore::findBreaking(std::span(waves.data(), count), std::span(breakings.data(), count),
                        c.model);
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = first + k;
      const double depth = c.h[i];
      const std::optional<double> given =
          std::isnan(depth) ? std::nullopt : std::optional<double>(depth);
      const report::CaseResult r = report::calcCase(breakings[k], given);
      const auto put = [&](std::size_t column, float value) { c.results[column][i] = value; };
      put(0, r.breaking.Hb);
      put(1, r.breaking.hb);
      put(2, r.breaking.gamma);
      put(3, r.breaking.thetaB);
      put(4, std::isnan(r.state.h) && given ? static_cast<float>(depth) : r.state.h);
      const std::array<float, 8> atDepth = r.state.results();
      for (std::size_t j = 0; j < atDepth.size(); ++j) put(5 + j, atDepth[j]);
      c.error[i] = static_cast<std::uint8_t>(r.error);
    }
  }
}

// Runs `body(begin, end)` over ranges covering [0, count) on `workers`
// threads (0: all cores).
template <class Body>
void forEachRange(std::size_t count, int workers, const Body& body) {
  if (workers == 1 || count <= 1) {
    body(std::size_t{0}, count);
    return;
  }
  tbb::task_arena arena(workers > 0 ? workers : tbb::task_arena::automatic);
  arena.execute([&] {
    // A calculation costs a few µs: ranges of some hundred elements keep the
    // lanes of the breaking search full and both cores busy to the end.
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, 256),
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
  Columns c{Ho.data(), T.data(), alpha0.data(), n.data(), h.data(), {}, nullptr, model};
  for (std::size_t k = 0; k < kResultNames.size(); ++k) {
    py::array_t<float> column(static_cast<py::ssize_t>(count));
    c.results[k] = column.mutable_data();
    out[py::str(std::string(kResultNames[k]))] = column;
  }
  py::array_t<std::uint8_t> error(static_cast<py::ssize_t>(count));
  c.error = error.mutable_data();
  out["error"] = error;

  {
    py::gil_scoped_release release;
    forEachRange(count, workers,
                 [&](std::size_t begin, std::size_t end) { calcElements(c, begin, end); });
  }
  return out;
}

shore::Error codeOf(int code) {
  if (code < 0 || code >= static_cast<int>(shore::kErrorCount)) {
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
  py::list rule(count), point(count), error(count);
  for (py::ssize_t i = 0; i < count; ++i) {
    const shore::Station& station = p.stations[static_cast<std::size_t>(i)];
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
                 double rhoS, double porosity) {
  const shore::TransportParams params = transportParams(K, rho, rhoS, porosity);
  std::vector<shore::ComparisonRow> rows;
  {
    py::gil_scoped_release release;
    rows = shore::compare({Ho, T, alpha0, n}, params);
  }
  const auto count = static_cast<py::ssize_t>(rows.size());
  constexpr std::array<std::string_view, 6> kNumbers = {
      "Hb", "hb", "gamma", "theta_b", "Q_m3_per_s", "Q_m3_per_year"};
  std::array<py::array_t<float>, kNumbers.size()> numbers;
  for (auto& column : numbers) column = py::array_t<float>(count);
  py::array_t<std::uint8_t> error(count);
  py::list breakerColumn(count), shoalingColumn(count);
  for (py::ssize_t i = 0; i < count; ++i) {
    const shore::ComparisonRow& row = rows[static_cast<std::size_t>(i)];
    const std::array<float, kNumbers.size()> values = {row.Hb,     row.hb, row.gamma,
                                                       row.thetaB, row.Q,  row.Qyear};
    for (std::size_t k = 0; k < values.size(); ++k) numbers[k].mutable_at(i) = values[k];
    breakerColumn[i] = py::str(std::string(
        row.model ? shore::breakerName(row.model->breaker) : report::kEmpiricalBreakerName));
    shoalingColumn[i] = py::str(std::string(
        row.model ? shore::shoalingName(row.model->shoaling) : report::kEmpiricalShoalingName));
    error.mutable_at(i) = static_cast<std::uint8_t>(row.error);
  }
  py::dict columns;
  columns["breaker"] = breakerColumn;
  columns["shoaling"] = shoalingColumn;
  for (std::size_t k = 0; k < kNumbers.size(); ++k) {
    columns[py::str(std::string(kNumbers[k]))] = numbers[k];
  }
  columns["error"] = error;
  return columns;
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

}  // namespace

PYBIND11_MODULE(_saiha, m) {
  m.doc() = "The numeric engine of saiha over flat NumPy arrays (see the package saiha).";

  m.attr("RESULT_NAMES") = textTuple(kResultNames);
  m.attr("PROFILE_COLUMNS") = textTuple(report::kProfileHeader);
  m.attr("COMPARE_COLUMNS") = textTuple(report::kCompareHeader);
  m.attr("VERSION") = SAIHA_VERSION;
  m.attr("ERROR_COUNT") = shore::kErrorCount;
  // The C++ names of the error codes, by value: the package's Error is
  // checked against them name by name.
  py::list errorNames;
  for (std::size_t code = 0; code < shore::kErrorCount; ++code) {
    errorNames.append(py::str(std::string(shore::errorName(static_cast<shore::Error>(code)))));
  }
  m.attr("ERROR_NAMES") = py::tuple(errorNames);
  m.attr("MAX_STATIONS") = shore::kMaxStations;
  m.attr("BREAKERS") = textTuple(shore::kBreakerLimits | std::views::transform(shore::breakerName));
  m.attr("SHOALINGS") = textTuple(shore::kShoalings | std::views::transform(shore::shoalingName));

  m.def("calc", &calc, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("h"), py::arg("workers"), py::arg("breaker"), py::arg("shoaling"),
        "One calculation per element of flat float64 arrays of one length under the named\n"
        "model; returns flat float32 columns by name and the uint8 codes under 'error'.\n"
        "workers=0: all cores. ValueError for an unknown model name.");
  m.def(
      "error_text", [](int code) { return report::errorText(codeOf(code)); }, py::arg("code"),
      "The window's message for an error code; '' for 0. ValueError for an unknown code.");
  m.def("profile", &profile, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("from_depth"), py::arg("stations"), py::arg("spacing"), py::arg("breaker"),
        py::arg("shoaling"),
        "The cross-shore profile under the named model: (code, columns by name).");
  m.def("compare", &compare, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
        "Every model on one wave: the comparison rows as columns by name.");
  m.def(
      "check_transport",
      [](double K, double rho, double rhoS, double porosity) {
        return static_cast<int>(shore::checkTransport(transportParams(K, rho, rhoS, porosity)));
      },
      py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
      "The code of the first transport parameter that fails its check, or 0.");
  m.def("transport", &transport, py::arg("Hb"), py::arg("hb"), py::arg("theta_b"),
        py::arg("gamma"), py::arg("K"), py::arg("rho"), py::arg("rho_s"), py::arg("porosity"),
        "The CERC longshore transport per element of flat float64 arrays of one length.");
}
