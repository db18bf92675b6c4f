// saiha-calc profile: one wave's cross-shore profile.
#include "cli/commands/commands.h"
#include "cli/profile_csv.h"
#include "cli/program.h"

namespace saiha::cli {

namespace {

constexpr const char* kFooter = R"(Output (standard output):
  CSV with LF line ends and the header
    x,h,rule,point,H,L,C,theta,a_bottom,u_bottom,a_surface,u_surface
  and with --warnings a last column warnings: the bits of the breaking
  point's warnings and the station's own (8: H above the depth h).
  x is the distance from the still-water shoreline n*h (m); rule is linear,
  intermediate (shuto's H*h^(2/7) regime), nonlinear or surf; point is
  onset, breaking or empty.  Rows run from the
  seaward end to the shoreline (the last one short of it), with the onset
  of nonlinear shoaling and the breaking point in their places.  Numbers
  have two decimals, or with --precision full are the shortest texts that
  read back as the same single-precision values: then a station's h typed
  into the window's depth box gives that station's values.  A station that cannot be computed keeps its row, with
  empty cells for what it did not reach.

Exit status:
  0  every station computed
  1  the breaking point was not found (its message on standard error, no
     output), or some station could not be computed (every row is written;
     one line "station at h=...: message" on standard error for each)
  2  a bad option or input value: one line on standard error (the window's
     message for a bad value), no output)";

class ProfileCommand final : public Command {
 public:
  std::string_view name() const override { return "profile"; }
  std::string summary() const override {
    return "Writes one wave's cross-shore profile as CSV: the state at evenly spaced stations "
           "from a seaward depth to the shoreline, the onset of nonlinear shoaling and the "
           "breaking point marked.";
  }
  std::string footer() const override { return kFooter; }
  std::vector<Example> examples() const override {
    return {
        {"One wave's profile at 50 stations from the seaward depth to the shoreline",
         "saiha-calc profile --Ho 1 --T 10 --alpha0 30 --n 60 --stations 50"},
        {"The same under McCowan's limit, every digit, every 0.5 m of x from a depth of 8 m",
         "saiha-calc profile --Ho 1 --T 10 --alpha0 30 --n 60 --breaker mccowan --from 8 --spacing 0.5 --precision full"},
    };
  }
  void addOptions(CLI::App& command, Choices&) override {
    addWaveOptions(command, wave_);
    addStationOptions(command, stations_,
                      "seaward depth (m); default twice the onset depth of nonlinear shoaling, "
                      "at least twice the breaking depth");
  }
  std::string refuses(Shared option) const override {
    switch (option) {
      case Shared::Jobs: return refusal::kOneWaveThreads();
      case Shared::Progress: return refusal::kOneWaveProgress();
      default: return {};
    }
  }
  int run(const SharedValues& shared, const CLI::App& parsed) override {
    shore::Wave wave;
    shore::ProfileOptions options;
    shore::Model model;
    report::Language language{};
    try {
      model = parseModel(shared);
      language = parseLanguage(shared.lang);
      wave = wave_.wave();
      options = stationOptions(stations_, parsed, language);
    } catch (const std::invalid_argument& error) {
      return fail(error.what());
    }
    const ProfileOutcome outcome = profileCsv(wave, options, model, language, shared.warnings,
                                                  digitsOf(shared));
    return writeTable({outcome.status, outcome.csv, outcome.diagnostic, outcome.stationErrors, &outcome.counts},
                      shared);
  }

 private:
  WaveArgs wave_;
  StationArgs stations_;
};

}  // namespace

std::unique_ptr<Command> makeProfileCommand() { return std::make_unique<ProfileCommand>(); }

}  // namespace saiha::cli
