// saiha._saiha: the numeric engine for NumPy arrays.
//
// The Python side broadcasts the arguments and hands over flat, contiguous
// float64 arrays of one length; this module runs one whole calculation per
// element, as the calculation window does for one set of boxes, on oneTBB
// threads with the GIL released, and returns flat float32 columns and the
// error codes.  Nothing here raises for an element: each carries its code.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/calc.h"
#include "sheet/profile_table.h"
#include "shore/engine.h"

namespace py = pybind11;
namespace shore = saiha::shore;
namespace sheet = saiha::sheet;

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

// One element: the breaking point, the depth as the window chooses it, and
// the state there.  Results not reached stay NaN.  The depth written back is
// the single-precision depth used; when the breaking point was not found it
// is the given depth narrowed as the engine would narrow it.
void calcElement(const Columns& c, std::size_t i) noexcept {
  const shore::Breaking b =
      shore::findBreaking({c.Ho[i], c.T[i], c.alpha0[i], c.n[i]}, c.model);
  const auto put = [&](std::size_t column, float value) { c.results[column][i] = value; };
  put(0, b.Hb);
  put(1, b.hb);
  put(2, b.gamma);
  put(3, b.thetaB);

  const double depth = c.h[i];
  shore::State state;
  if (!b.ok()) {
    state.error = b.error;
    if (!std::isnan(depth)) state.h = static_cast<float>(depth);
  } else if (std::isnan(depth)) {
    // No depth given: the breaking depth as the window shows it.
    if (const std::optional<float> shown = sheet::defaultDepth(b)) {
      state = shore::stateAt(b, *shown);
    } else {
      state.error = shore::Error::BreakingDepthTooSmall;
    }
  } else {
    state = shore::stateAt(b, depth);
    // A depth refused by the engine is still the depth that was asked for.
    if (std::isnan(state.h)) state.h = static_cast<float>(depth);
  }
  put(4, state.h);
  const std::array<float, 8> atDepth = state.results();
  for (std::size_t k = 0; k < atDepth.size(); ++k) put(5 + k, atDepth[k]);
  c.error[i] = static_cast<std::uint8_t>(state.error);
}

// Runs `body(i)` for i in [0, count) on `workers` threads (0: all cores).
template <class Body>
void forEachElement(std::size_t count, int workers, const Body& body) {
  if (count == 0) return;
  const auto run = [&] {
    // A calculation costs some 10 µs: small chunks keep both cores busy to
    // the end without measurable scheduling cost.
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count, 16),
                      [&](const tbb::blocked_range<std::size_t>& range) {
                        for (std::size_t i = range.begin(); i != range.end(); ++i) body(i);
                      });
  };
  if (workers == 1 || count == 1) {
    for (std::size_t i = 0; i < count; ++i) body(i);
    return;
  }
  tbb::task_arena arena(workers > 0 ? workers : tbb::task_arena::automatic);
  arena.execute(run);
}

// calc(Ho, T, alpha0, n, h, workers) -> dict of flat columns.
py::dict calc(const Input& Ho, const Input& T, const Input& alpha0, const Input& n,
              const Input& h, int workers) {
  if (workers < 0) throw py::value_error("workers must be a positive number of threads");
  const std::array<const Input*, 5> inputs = {&Ho, &T, &alpha0, &n, &h};
  const std::size_t count = static_cast<std::size_t>(Ho.size());
  for (const Input* input : inputs) {
    if (input->ndim() != 1 || static_cast<std::size_t>(input->size()) != count) {
      throw py::value_error("the inputs must be flat arrays of one length");
    }
  }

  py::dict out;
  Columns c{Ho.data(), T.data(), alpha0.data(), n.data(), h.data(), {}, nullptr,
            shore::Model{}};
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
    forEachElement(count, workers, [&](std::size_t i) { calcElement(c, i); });
  }
  return out;
}

shore::Error codeOf(int code) {
  if (code < 0 || code >= static_cast<int>(shore::kErrorCount)) {
    throw py::value_error("no such error code: " + std::to_string(code));
  }
  return static_cast<shore::Error>(code);
}

// profile(Ho, T, alpha0, n, from_depth, stations) -> (code, columns).
// The code is the profile's own error (no stations then); each station's
// results not reached are NaN and its rule an empty text.
py::tuple profile(double Ho, double T, double alpha0, double n, std::optional<double> fromDepth,
                  int stations) {
  shore::ProfileOptions options;
  options.fromDepth = fromDepth;
  options.stations = stations;
  shore::Profile p;
  {
    py::gil_scoped_release release;
    p = shore::profile({Ho, T, alpha0, n}, options, shore::Model{});
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
    rule[i] = s.rule ? py::str(std::string(sheet::ruleName(*s.rule))) : py::str("");
    point[i] = py::str(std::string(sheet::markName(station.mark)));
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

}  // namespace

PYBIND11_MODULE(_saiha, m) {
  m.doc() = "The numeric engine of saiha over flat NumPy arrays (see the package saiha).";

  py::list names;
  for (std::string_view name : kResultNames) names.append(py::str(std::string(name)));
  m.attr("RESULT_NAMES") = py::tuple(names);
  m.attr("ERROR_COUNT") = shore::kErrorCount;
  m.attr("MAX_STATIONS") = shore::kMaxStations;

  m.def("calc", &calc, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("h"), py::arg("workers"),
        "One calculation per element of flat float64 arrays of one length; returns flat\n"
        "float32 columns by name and the uint8 codes under 'error'. workers=0: all cores.");
  m.def(
      "error_text", [](int code) { return sheet::errorText(codeOf(code)); }, py::arg("code"),
      "The window's message for an error code; '' for 0. ValueError for an unknown code.");
  m.def("profile", &profile, py::arg("Ho"), py::arg("T"), py::arg("alpha0"), py::arg("n"),
        py::arg("from_depth"), py::arg("stations"),
        "The cross-shore profile: (code, columns by name).");
}
