// The streaming, parallel batch of saiha-calc and its profile table: rows
// in order whatever the threads and chunking, the numeric row path against
// the sheet's text path, faults further on in the input, full precision and
// the profile's stations against the sheet.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli/pipeline.h"
#include "tests/cli/csv_strings.h"
#include "cli/profile_csv.h"
#include "report/messages.h"
#include "runtime/text.h"
#include "sheet/calc.h"
#include "sheet/sheet.h"

namespace saiha::cli {
namespace {


// A few thousand varied rows: computed ones, failing ones, quoted cells,
// blank and empty depths, short rows, blank lines and CRLF.
std::string mixedInput() {
  std::string text = "h,Ho,T,alpha0,n\r\n";
  const char* depths[] = {"", "10", "  ", "abc", "0.5", "350", "\"1,5\""};
  for (int i = 0; i < 3000; ++i) {
    text += std::string(depths[i % 7]) + "," + std::to_string(0.2 + (i % 37) * 0.11) + "," +
            std::to_string(2 + (i % 23) * 0.7) + "," + std::to_string((i % 19) * 9 - 80) + "," +
            (i % 97 == 0 ? "0" : std::to_string(5 + i % 80)) + "\r\n";
    if (i % 250 == 0) text += "\r\n1,2,3\r\n";
  }
  return text;
}

// The row as the calculation window's sheet gives it, texts in and out.
std::string sheetRow(const std::vector<std::string>& cells) {
  sheet::Sheet s;
  sheet::loadDefaults(s);
  for (std::size_t c = 0; c < kColumnCount; ++c) s.setText(sheet::kInputBoxes[c], cells[c]);
  const sheet::CalcOutcome outcome = sheet::calc(s);
  std::vector<std::string> out;
  for (sheet::Box box : sheet::kInputBoxes) out.push_back(s.text(box));
  for (sheet::Box box : sheet::kResultBoxes) {
    out.push_back(outcome.written.test(sheet::index(box)) ? s.text(box) : std::string());
  }
  out.push_back(outcome.error ? sheet::errorText(*outcome.error) : std::string());
  return formatRecord(out);
}

TEST(Batch, OrderAndBytesKeptAcrossThreadsAndChunks) {
  const std::string input = mixedInput();
  const Streamed one = stream(input, RunOptions{});
  RunOptions two;
  two.threads = 2;
  two.blockBytes = 61;  // records cut across many small chunks
  const Streamed parallel = stream(input, two);
  EXPECT_EQ(one.result.status, kSomeFailed);
  EXPECT_EQ(parallel.result.status, kSomeFailed);
  EXPECT_EQ(parallel.result.rows, one.result.rows);
  EXPECT_EQ(parallel.out, one.out);

  // Every row equals the sheet's own texts for the same cells.
  const auto in = parseRecords(input);
  const auto out = parseRecords(one.out);
  ASSERT_EQ(out.size(), in.size());
  const Layout layout = readHeader(in[0]);
  for (std::size_t i = 1; i < in.size(); ++i) {
    if (in[i].fields.size() != layout.width) continue;
    std::vector<std::string> cells;
    for (std::size_t c = 0; c < kColumnCount; ++c) cells.push_back(in[i].fields[*layout.position[c]]);
    ASSERT_EQ(formatRecord(out[i].fields), sheetRow(cells)) << "line " << in[i].line;
  }
}

// Chunks are filled again once written: what one chunk counted (failed and
// warned rows, the first of each, its error cells) must not reach the rows
// of the next.  Failing rows only at the start, warned ones only in the
// middle, so that a count carried over would show.
TEST(Batch, ChunksFilledAgainCarryNothingOver) {
  std::string input = "Ho,T,alpha0,n,h\n";
  for (int i = 0; i < 40; ++i) input += "1,10,30,0,\n";  // n = 0: every row fails
  for (int i = 0; i < 400; ++i) input += "1,10,30,60,\n";
  for (int i = 0; i < 40; ++i) input += "1,10,30,5,\n";  // a slope steeper than 1/10: a warning
  for (int i = 0; i < 400; ++i) input += "1,10,30,60,\n";
  RunOptions whole;
  whole.warnings = true;
  const Streamed once = stream(input, whole);
  ASSERT_EQ(once.result.failedRows, 40u);
  ASSERT_EQ(once.result.warnedRows, 40u);
  for (const int threads : {1, 2}) {
    RunOptions cut = whole;
    cut.threads = threads;
    cut.blockBytes = 48;  // a few rows a chunk: each chunk is filled many times
    const Streamed s = stream(input, cut);
    EXPECT_EQ(s.out, once.out) << threads << " threads";
    EXPECT_EQ(s.result.rows, 880u);
    EXPECT_EQ(s.result.failedRows, 40u);
    EXPECT_EQ(s.result.firstFailure, once.result.firstFailure);
    EXPECT_EQ(s.result.warnedRows, 40u);
    EXPECT_EQ(s.result.firstWarnedLine, 442u);
    EXPECT_EQ(s.result.status, kSomeFailed);
  }
}

struct LateFault {
  const char* name;
  std::string input;
  std::size_t maxRecordBytes;
  std::string reason;  // the line and the reason
};
void PrintTo(const LateFault& c, std::ostream* os) { *os << c.name; }

class LateFaultTest : public testing::TestWithParam<LateFault> {};

TEST_P(LateFaultTest, RowsBeforeWrittenThenStopsNamingTheLine) {
  const std::string good = "1,10,30,60\n";
  RunOptions options;
  options.maxRecordBytes = GetParam().maxRecordBytes;
  options.blockBytes = 16;  // the fault lies beyond the first block
  const Streamed s = stream("Ho,T,alpha0,n\n" + good + good + GetParam().input + good, options);
  EXPECT_EQ(s.result.status, kUnusable);
  EXPECT_EQ(s.result.rows, 2u);
  EXPECT_EQ(s.out.substr(s.out.find('\n') + 1),
            "1,10,30,60,2.07,1.71,2.07,0.82,8.18,44.44,8.18,4.44,1.71,2.87,1.80,3.00,1.88,\n"
            "1,10,30,60,2.07,1.71,2.07,0.82,8.18,44.44,8.18,4.44,1.71,2.87,1.80,3.00,1.88,\n");
  EXPECT_EQ(s.result.diagnostic.rfind(GetParam().reason, 0), 0u) << s.result.diagnostic;
}

INSTANTIATE_TEST_SUITE_P(
    Input, LateFaultTest,
    testing::Values(
        LateFault{"MalformedQuote", "1,10,3\"0,60\n", kMaxRecordBytes, "line 4: malformed CSV"},
        LateFault{"Latin1Byte", "1,10,30,60\xE9\n", kMaxRecordBytes, "line 4: the input is not UTF-8"},
        LateFault{"CutUtf8Sequence", "1,10,30,\xE6\xB0\n", kMaxRecordBytes, "line 4: the input is not UTF-8"},
        LateFault{"NulByte", std::string("1,\0,30,60\n", 10), kMaxRecordBytes, "line 4: the input contains a NUL"},
        LateFault{"RecordTooLong", "1,10,30,60" + std::string(100, ' ') + "\n", 64,
                  "line 4: a record longer than"},
        LateFault{"QuoteNeverCloses", "1,\"10,30,60\n", kMaxRecordBytes, "line 4: malformed CSV"}),
    [](const auto& info) { return std::string(info.param.name); });

// Full precision reads back as the engine's singles under each model: the
// model reaches every row's breaking search and the state at its depth.
struct ModelCase {
  const char* name;
  shore::Model model;
};
void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.name; }

class BatchModelTest : public testing::TestWithParam<ModelCase> {};

TEST_P(BatchModelTest, FullPrecisionReadsBackAsTheEngineSingles) {
  const shore::Model model = GetParam().model;
  const std::string input = "Ho,T,alpha0,n,h\n1,10,30,60,\n0.41,7.4,9.5,15,3.3\n2,8,-45,30,0.01\n";
  RunOptions options;
  options.precision = Precision::Full;
  options.model = model;
  const auto out = parseRecords(stream(input, options).out);
  const auto in = parseRecords(input);
  ASSERT_EQ(out.size(), in.size());
  for (std::size_t i = 1; i < in.size(); ++i) {
    const auto& f = in[i].fields;
    const auto num = [](const std::string& t) { return rt::leadingNumber(t).value_or(NAN); };
    const shore::Wave wave{num(f[0]), num(f[1]), num(f[2]), num(f[3])};
    const shore::Breaking b = shore::findBreaking(wave, model);
    ASSERT_TRUE(b.ok());
    if (!model.isDefault()) {
      EXPECT_NE(b.Hb, shore::findBreaking(wave).Hb) << "row " << i << ": the model is not the default";
    }
    const std::string depth = f[4].empty() ? rt::formatResult(b.hb) : f[4];
    const shore::State state = shore::stateAt(b, num(depth));
    ASSERT_TRUE(state.ok());
    const auto s = state.results();
    const std::vector<float> expected = {b.Hb, b.hb, b.gamma, b.thetaB, s[0], s[1],
                                         s[2], s[3], s[4],    s[5],     s[6], s[7]};
    EXPECT_EQ(out[i].fields[4], depth) << "inputs echoed as shown";
    for (std::size_t k = 0; k < expected.size(); ++k) {
      EXPECT_EQ(static_cast<float>(num(out[i].fields[5 + k])), expected[k])
          << "row " << i << " " << kOutputHeader[5 + k] << " " << out[i].fields[5 + k];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Models, BatchModelTest,
    testing::Values(ModelCase{"Default", {}},
                    ModelCase{"McCowan", {shore::BreakerLimit::McCowan, shore::Shoaling::TwoRegime}},
                    ModelCase{"MicheShuto", {shore::BreakerLimit::Miche, shore::Shoaling::Shuto}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- profile

TEST(ProfileCsv, MarksAtTheEngineDepthsAndStationsAgreeWithTheSheet) {
  const shore::Wave wave{1, 10, 30, 60};
  const ProfileOutcome p = profileCsv(wave, {});
  ASSERT_EQ(p.status, kAllComputed);
  const auto rows = parseRecords(p.csv);
  ASSERT_EQ(rows.size(), 1u + 200 + 1);  // the onset falls on station 100
  EXPECT_EQ(formatRecord(rows[0].fields),
            "x,h,rule,point,H,L,C,theta,a_bottom,u_bottom,a_surface,u_surface\n");

  const shore::Breaking b = shore::findBreaking(wave);
  const auto single = [](const std::string& t) { return static_cast<float>(*rt::leadingNumber(t)); };
  int marks = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const auto& f = rows[i].fields;
    if (f[3] == "onset") {
      EXPECT_EQ(single(f[1]), b.onsetDepth());
    }
    if (f[3] == "breaking") {
      EXPECT_EQ(single(f[1]), b.hb);
    }
    marks += !f[3].empty();
    if (i % 20 != 1 && f[3].empty()) continue;
    // The station's depth typed into the depth box gives its values, rounded.
    const std::string row = sheetRow({"1", "10", "30", "60", f[1]});
    const auto cells = parseRecords(row)[0].fields;
    const std::size_t sheetColumn[] = {12, 9, 11, 10, 13, 14, 15, 16};  // H, L, C, theta, ...
    for (std::size_t k = 0; k < 8; ++k) {
      EXPECT_EQ(rt::formatResult(single(f[4 + k])), cells[sheetColumn[k]])
          << "h=" << f[1] << " " << rows[0].fields[4 + k];
    }
  }
  EXPECT_EQ(marks, 2);
}

struct ProfileStatus {
  const char* name;
  shore::Wave wave;
  int status;
  std::string diagnostic;
};
void PrintTo(const ProfileStatus& c, std::ostream* os) { *os << c.name; }

class ProfileStatusTest : public testing::TestWithParam<ProfileStatus> {};

TEST_P(ProfileStatusTest, WritesNothingAndSaysWhy) {
  const ProfileOutcome p = profileCsv(GetParam().wave, {});
  EXPECT_EQ(p.status, GetParam().status);
  EXPECT_EQ(p.csv, "");
  EXPECT_EQ(p.diagnostic, GetParam().diagnostic);
}

TEST(ProfileCsv, ModelReachesTheProfile) {
  const shore::Wave wave{2, 10, 0, 100};
  const shore::Model model{shore::BreakerLimit::Miche, shore::Shoaling::Shuto};
  const ProfileOutcome p = profileCsv(wave, {}, model);
  ASSERT_EQ(p.status, kAllComputed);
  const float hb = shore::findBreaking(wave, model).hb;
  ASSERT_NE(hb, shore::findBreaking(wave).hb);
  int breaking = 0;
  for (const Record& row : parseRecords(p.csv)) {
    if (row.fields[3] != "breaking") continue;
    ++breaking;
    EXPECT_EQ(static_cast<float>(*rt::leadingNumber(row.fields[1])), hb);
  }
  EXPECT_EQ(breaking, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ProfileStatusTest,
    testing::Values(
        ProfileStatus{"BadSlopeIsTwo", {1, 10, 30, 0}, kUnusable,
                      "海底勾配の分母には 0 より大きい数値を入力してください．"},
        ProfileStatus{"BadAngleIsTwo", {1, 10, 90, 60}, kUnusable,
                      report::errorText(shore::Error::InvalidAngle)},
        ProfileStatus{"NoBreakingPointIsOne", {0.01, 20, 0, 0.01}, kSomeFailed,
                      report::errorText(shore::Error::BreakingNotFound)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace saiha::cli
