// The energy-balance transformation against the DUCK94 field case, as a user
// would run it: the measured profile, the recorded offshore conditions and
// the default model, compared with the Hrms and longshore current measured
// across the surf zone.  Prints the statistics and the time of the run.
//
//   saiha-transform-duck94 DIR [--repeat N] [--step M] [--halving] [--wind] [--dissipation NAME]
//                          [--no-roller] [--roughness KA] [--mixing battjes1975|NU] [--record N]
//
// --wind applies the file's alongshore wind stress tau_wind_y.  It is given
// in the facility's axes, whose cross-shore axis (x_frf) points offshore
// where the profile's x points onshore: in the profile's right-handed frame
// the alongshore axis is the facility's reversed, so the stress enters with
// the opposite sign (V positive in the direction the waves travel
// alongshore, the sign of theta0, as in the file).
//
// A folder without the four files, or with none of their pairs, is an error
// (exit 2): no statistic is printed of nothing.
//
// DIR holds profile.csv, conditions.csv, wave_heights.csv and
// longshore_current.csv (x, z; Hrms0, Tp, theta0, tide, tau_wind_y; record,
// x, Hrms; record, x, V).
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "shore/transform.h"

namespace {

using namespace saiha;

// A CSV file as columns of numbers by header name (text cells read as NaN).
std::map<std::string, std::vector<double>> readCsv(const std::string& path) {
  std::ifstream in(path);
  std::map<std::string, std::vector<double>> out;
  std::vector<std::string> names;
  std::string line;
  auto strip = [](std::string& s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ')) s.pop_back();
  };
  if (!std::getline(in, line)) return out;
  strip(line);
  auto split = [](std::string_view s) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    while (true) {
      const std::size_t comma = s.find(',', start);
      cells.push_back(s.substr(start, comma - start));
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
    return cells;
  };
  for (auto cell : split(line)) names.emplace_back(cell);
  while (std::getline(in, line)) {
    strip(line);
    if (line.empty()) continue;
    const auto cells = split(line);
    for (std::size_t i = 0; i < names.size() && i < cells.size(); ++i) {
      double v = std::nan("");
      std::from_chars(cells[i].data(), cells[i].data() + cells[i].size(), v);
      out[names[i]].push_back(v);
    }
  }
  return out;
}

struct Stats {
  double se = 0, so = 0, so2 = 0;
  std::size_t n = 0;
  void add(double m, double o) {
    se += (m - o) * (m - o);
    so += o;
    so2 += o * o;
    ++n;
  }
  double rms() const { return std::sqrt(se / double(n)); }
  double skill() const {
    const double mean = so / double(n);
    return 1 - se / (so2 - double(n) * mean * mean);
  }
};

// A number from a command-line argument, `otherwise` when it is not one.
double number(const char* text, double otherwise) {
  double v = otherwise;
  const std::string_view t(text);
  std::from_chars(t.data(), t.data() + t.size(), v);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: saiha-transform-duck94 DIR [--repeat N] [--step M] [--halving] [--wind] "
               "[--dissipation NAME] [--no-roller] [--roughness KA] [--mixing battjes1975|NU] "
               "[--record N]\n",
               stderr);
    return 2;
  }
  const std::string dir = argv[1];
  int repeat = 20;
  long show = -1;  // --record N: that record's results at every point
  bool wind = false;
  bool halving = false;  // --halving: the largest change of Hrms with maxStep halved
  shore::TransformOptions options;
  for (int i = 2; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, int(number(argv[++i], 1)));
    } else if (a == "--record" && i + 1 < argc) {
      show = long(number(argv[++i], -1));
    } else if (a == "--halving") {
      halving = true;
    } else if (a == "--step" && i + 1 < argc) {
      options.maxStep = number(argv[++i], options.maxStep);
    } else if (a == "--wind") {
      wind = true;
    } else if (a == "--no-roller") {
      options.roller = false;
    } else if (a == "--roughness" && i + 1 < argc) {
      options.roughness = number(argv[++i], options.roughness);
    } else if (a == "--mixing" && i + 1 < argc) {
      const std::string_view m = argv[++i];
      if (m == "battjes1975") {
        options.mixing = shore::Mixing::Battjes1975;
      } else {
        options.mixing = shore::Mixing::Constant;
        options.mixingCoefficient = number(argv[i], 0);
      }
    } else if (a == "--dissipation" && i + 1 < argc) {
      const std::string_view d = argv[++i];
      options.dissipation = d == "tg83"        ? shore::Dissipation::TG83
                            : d == "baldock98" ? shore::Dissipation::Baldock98
                            : d == "jb07"      ? shore::Dissipation::JB07
                                               : shore::Dissipation::BJ78;
    }
  }
  auto profile = readCsv(dir + "/profile.csv");
  auto conditions = readCsv(dir + "/conditions.csv");
  auto heights = readCsv(dir + "/wave_heights.csv");
  auto currents = readCsv(dir + "/longshore_current.csv");
  const struct {
    const char* file;
    const std::map<std::string, std::vector<double>>& table;
    std::vector<const char*> columns;
  } needs[] = {{"profile.csv", profile, {"x", "z"}},
               {"conditions.csv", conditions, {"Hrms0", "Tp", "theta0", "tide", "tau_wind_y"}},
               {"wave_heights.csv", heights, {"record", "x", "Hrms"}},
               {"longshore_current.csv", currents, {"record", "x", "V"}}};
  for (const auto& need : needs) {
    for (const char* column : need.columns) {
      const auto it = need.table.find(column);
      if (it == need.table.end() || it->second.empty()) {
        std::fprintf(stderr, "saiha-transform-duck94: %s/%s: no column %s with values\n",
                     dir.c_str(), need.file, column);
        return 2;
      }
    }
  }
  const std::vector<double>& x = profile["x"];
  const std::vector<double>& z = profile["z"];
  std::vector<shore::SeaCondition> sea(conditions["Hrms0"].size());
  for (std::size_t i = 0; i < sea.size(); ++i) {
    sea[i] = {conditions["Hrms0"][i], conditions["Tp"][i], conditions["theta0"][i],
              conditions["tide"][i], wind ? -conditions["tau_wind_y"][i] : 0.0};
  }
  const shore::BedProfile bed{x, z};
  std::vector<shore::TransformResult> out(sea.size());
  shore::transform(bed, sea, out, options);  // first run: tables, storage

  double best = 1e9;
  for (int r = 0; r < repeat; ++r) {
    const auto start = std::chrono::steady_clock::now();
    shore::transform(bed, sea, out, options);
    const auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
  }

  auto indexOf = [&](double xs) {
    return std::size_t(std::lower_bound(x.begin(), x.end(), xs - 1e-9) - x.begin());
  };
  Stats H, V, H0;
  std::size_t failed = 0, missing = 0;
  for (const auto& r : out) failed += r.ok() ? 0 : 1;
  for (std::size_t i = 0; i < heights["record"].size(); ++i) {
    const auto rec = std::size_t(heights["record"][i]);
    const double obs = heights["Hrms"][i];
    if (rec >= out.size() || !std::isfinite(obs)) continue;
    const float m = out[rec].Hrms[indexOf(heights["x"][i])];
    if (!std::isfinite(m)) {
      ++missing;
      continue;
    }
    H.add(m, obs);
    H0.add(sea[rec].Hrms0, obs);
  }
  for (std::size_t i = 0; i < currents["record"].size(); ++i) {
    const auto rec = std::size_t(currents["record"][i]);
    const double obs = currents["V"][i];
    if (rec >= out.size() || !std::isfinite(obs)) continue;
    const float m = out[rec].V[indexOf(currents["x"][i])];
    if (!std::isfinite(m)) continue;
    V.add(m, obs);
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (!out[i].ok()) std::printf("record %zu: error %d\n", i, int(out[i].error));
  }
  if (show >= 0 && std::size_t(show) < out.size()) {
    const auto& r = out[std::size_t(show)];
    std::printf("x,h,eta,Hrms,H13,Qb,theta,V\n");
    for (std::size_t i = 0; i < x.size(); ++i) {
      std::printf("%.1f,%.3f,%.4f,%.4f,%.4f,%.3f,%.2f,%.4f\n", x[i], double(r.h[i]),
                  double(r.eta[i]), double(r.Hrms[i]), double(r.H13[i]), double(r.Qb[i]),
                  double(r.theta[i]), double(r.V[i]));
    }
    std::printf("breaking %.1f (%.2f m), etaMax %.3f, shoreline %.1f, R2 %.3f, betaF %.4f, "
                "warnings %u\n",
                double(r.xBreaking), double(r.hBreaking), double(r.etaMax), double(r.xShoreline),
                double(r.R2), double(r.foreshoreSlope), r.warnings.bits);
  }
  if (H.n == 0 || V.n == 0) {
    std::fprintf(stderr, "saiha-transform-duck94: %s: no measured height or current met a result\n",
                 dir.c_str());
    return 2;
  }
  std::printf("conditions %zu (failed %zu), profile points %zu\n", sea.size(), failed, x.size());
  std::printf("Hrms: %zu pairs (%zu not reached), rms error %.4f m, skill %.3f"
              " (Hrms0 kept everywhere: rms %.4f m, skill %.3f)\n",
              H.n, missing, H.rms(), H.skill(), H0.rms(), H0.skill());
  std::printf("V: %zu pairs, rms error %.4f m/s, skill %.3f\n", V.n, V.rms(), V.skill());
  if (halving) {
    shore::TransformOptions fine = options;
    fine.maxStep /= 2;
    std::vector<shore::TransformResult> half(sea.size());
    shore::transform(bed, sea, half, fine);
    double worst = 0, worstX = 0, worstH = 0, worstSwash = 0;
    std::size_t worstC = 0;
    for (std::size_t c = 0; c < out.size(); ++c) {
      for (std::size_t i = 0; i < x.size(); ++i) {
        const double a = out[c].Hrms[i], b = half[c].Hrms[i];
        // Where the still water is at least as deep as the waves are high.
        const bool surf = double(out[c].h[i]) >= a;
        if (std::isfinite(a) && std::isfinite(b)) {
          if (!surf) worstSwash = std::max(worstSwash, std::abs(a - b));
        }
        if (surf && std::isfinite(a) && std::isfinite(b) && std::abs(a - b) > worst) {
          worst = std::abs(a - b);
          worstX = x[i];
          worstC = c;
          worstH = double(out[c].h[i]);
        }
      }
    }
    std::printf("step halved: largest change of Hrms %.5f m where h >= Hrms (record %zu, x = %.1f m,"
                " h = %.2f m); %.5f m where h < Hrms\n",
                worst, worstC, worstX, worstH, worstSwash);
  }
  std::printf("time: %.2f ms for %zu conditions (best of %d, one core)\n", best, sea.size(),
              repeat);
  return 0;
}
