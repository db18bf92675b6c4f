// The compare and random tables through the streaming run, and the CSV
// format of every table: the rows of compare FILE against the one-wave
// comparison, refused rows and their error cells, pass-through columns, the
// column list each mode asks for, threads against one thread, separators,
// decimal commas, the byte-order mark and cells that say more than a number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/compare_csv.h"
#include "cli/pipeline.h"
#include "cli/random_csv.h"
#include "report/messages.h"
#include "tests/cli/csv_strings.h"

namespace saiha::cli {
namespace {


std::vector<std::vector<std::string>> rowsOf(const std::string& csv) {
  std::vector<std::vector<std::string>> rows;
  for (const Record& r : parseRecords(csv)) rows.push_back(r.fields);
  return rows;
}

// ------------------------------------------------------------ compare FILE

TEST(CompareTable, FileRowsAreTheOptionModesRowForRow) {
  const shore::Wave waves[] = {{2, 10, 30, 100}, {1, 8, -20, 10}, {0.01, 20, 0, 0.01}, {3, 12, 0, 30}};
  for (const auto basis : {shore::HeightBasis::Regular, shore::HeightBasis::Significant}) {
    std::string input = "Ho,T,alpha0,n\n";
    std::vector<std::vector<std::string>> expected;
    for (const shore::Wave& w : waves) {
      input += formatRecord(std::vector<std::string>{
          std::to_string(w.Ho), std::to_string(w.T), std::to_string(w.alpha0),
          std::to_string(w.n)});
      auto rows = rowsOf(compareCsv(w, {}, true, basis).csv);
      expected.insert(expected.end(), rows.begin() + 1, rows.end());
    }
    CompareTable table({}, basis, true);
    const auto got = rowsOf(stream(input, table).out);
    ASSERT_EQ(got.size(), expected.size() + 1);
    for (std::size_t r = 0; r < expected.size(); ++r) {
      const std::vector<std::string> results(got[r + 1].begin() + 4, got[r + 1].end());
      EXPECT_EQ(results, expected[r]) << "row " << r << (basis == shore::HeightBasis::Significant
                                                            ? " (significant)" : " (regular)");
    }
  }
}

struct RefusedCompareRow {
  const char* name;
  std::string row;
  CsvFormat format;
  std::string message;  // the error cell of each of its model rows
};

class CompareRefusedTest : public testing::TestWithParam<RefusedCompareRow> {};

// A refused wave keeps its model names, its results and its type are empty
// and the error cell (not the last one) says why, in the run's language.
TEST_P(CompareRefusedTest, ErrorCellSaysWhyAndResultsAreEmpty) {
  const auto& p = GetParam();
  CompareTable table({}, shore::HeightBasis::Regular, true, report::Language::English, p.format);
  const auto s = stream("id,Ho,T,alpha0,n\n" + p.row + "\n", table);
  EXPECT_EQ(s.result.status, kSomeFailed);
  const auto rows = rowsOf(s.out);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0][5 + 8], "error");
  for (std::size_t r = 1; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), 5u + 11 + 1);
    EXPECT_FALSE(rows[r][5].empty());
    for (std::size_t c = 7; c < 5 + 11; ++c) {
      EXPECT_EQ(rows[r][c], c == 5 + 8 ? p.message : "") << "row " << r << " column " << c;
    }
    EXPECT_EQ(rows[r].back(), "0");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CompareRefusedTest,
    testing::Values(
        RefusedCompareRow{"short_row", "w1,2,10", {},
                          report::fieldCountText(3, 5, report::Language::English)},
        RefusedCompareRow{"long_row", "w1,2,10,30,100,x", {},
                          report::fieldCountText(6, 5, report::Language::English)},
        RefusedCompareRow{"unit_after_period_strict", "w1,2,10s,30,100", {.strict = true},
                          report::trailingTextText("T", false, report::Language::English)}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ random FILE

TEST(RandomTable, OtherColumnsPassThroughInTheirPlaces) {
  RandomTable table(Precision::Shown, report::Language::English, true);
  const auto s = stream("id,T13,H0p,note,n,h\nA,10,3,x y,50,4\nB,10,3,,5,\n", table);
  const auto rows = rowsOf(s.out);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"id", "H0p", "T13", "note", "n", "h", "Ks", "H13",
                                               "Hmax", "error", "warnings"}));
  EXPECT_EQ(std::vector<std::string>(rows[1].begin(), rows[1].begin() + 6),
            (std::vector<std::string>{"A", "3", "10", "x y", "50", "4"}));
  EXPECT_EQ(rows[1][9], "");
  EXPECT_EQ(rows[1][10], "0");
  // An empty depth: a random sea's own message; a slope of 1/5 warns.
  EXPECT_EQ(rows[2][9], report::randomDepthText(report::Language::English));
  EXPECT_EQ(rows[2][10], "1");
}

// ------------------------------------------------------------ every mode

struct ModeCase {
  const char* name;
  int mode;  // 0 regular, 1 compare, 2 random
  std::string input;
  std::string message;  // part of the one-line reason
};

std::unique_ptr<Table> tableOf(int mode) {
  if (mode == 1) return std::make_unique<CompareTable>(shore::TransportParams{});
  if (mode == 2) return std::make_unique<RandomTable>(Precision::Shown);
  return std::make_unique<CaseTable>(Precision::Shown, shore::Model{}, false);
}

class ModeHeaderTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeHeaderTest, AsksForItsOwnColumns) {
  const auto& p = GetParam();
  const auto table = tableOf(p.mode);
  const auto s = stream(p.input, *table);
  EXPECT_EQ(s.result.status, kUnusable);
  EXPECT_NE(s.result.diagnostic.find(p.message), std::string::npos) << s.result.diagnostic;
  EXPECT_EQ(s.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeHeaderTest,
    testing::Values(
        ModeCase{"regular_empty", 0, "", "columns Ho, T, alpha0, n and optionally h"},
        ModeCase{"compare_empty", 1, "", "columns Ho, T, alpha0 and n"},
        ModeCase{"random_empty", 2, "", "columns H0p, T13, n and h"},
        ModeCase{"compare_lacks_n", 1, "Ho,T,alpha0\n", "lacks column 'n'; it must name Ho, T, alpha0 and n"},
        ModeCase{"random_lacks_h", 2, "id,H0p,T13,n\n", "lacks column 'h'; it must name H0p, T13, n and h"},
        ModeCase{"random_result_name", 2, "H0p,T13,n,h,Ks\n", "'Ks' has the name of an output column"},
        ModeCase{"semicolons_under_commas", 2, "H0p;T13;n;h\n", "separated by commas"}),
    [](const auto& info) { return std::string(info.param.name); });

// A few thousand rows in small chunks: two threads write what one writes.
TEST(Threads, CompareAndRandomWriteTheSameBytesOnTwoThreads) {
  std::string waves = "id,Ho,T,alpha0,n\n", seas = "id,H0p,T13,n,h\n";
  for (int i = 0; i < 2000; ++i) {
    const std::string id = "r" + std::to_string(i) + ",";
    waves += id + std::to_string(0.3 + (i % 13) * 0.4) + "," + std::to_string(5 + i % 9) + "," +
             std::to_string((i % 7) * 12 - 40) + "," + (i % 101 == 0 ? "0" : std::to_string(8 + i % 90)) + "\n";
    seas += id + std::to_string(0.5 + (i % 11) * 0.3) + "," + std::to_string(6 + i % 7) + "," +
            std::to_string(5 + i % 60) + "," + (i % 53 == 0 ? "" : std::to_string(0.5 + (i % 17))) + "\n";
    if (i % 400 == 0) waves += "short,1\n";
  }
  for (int mode : {1, 2}) {
    const std::string& input = mode == 1 ? waves : seas;
    RunOptions one, two;
    one.blockBytes = two.blockBytes = 1024;
    two.threads = 2;
    const auto table = tableOf(mode);
    const auto a = stream(input, *table, one), b = stream(input, *table, two);
    EXPECT_EQ(a.result.rows, 2000u + (mode == 1 ? 5u : 0u));
    EXPECT_EQ(a.out, b.out) << (mode == 1 ? "compare" : "random");
    EXPECT_EQ(a.result.failedRows, b.result.failedRows);
  }
}

// ------------------------------------------------------------ CSV format

TEST(Format, SemicolonsAndDecimalCommaGiveTheDefaultRowsSpeltTheirWay) {
  const std::string plain = "id,Ho,T,alpha0,n,h\nA,1,10,30,60,\nB,1.5,10,-30,60,2.5\n";
  const CsvFormat european{.delimiter = ';', .decimalComma = true};
  std::string spelt = plain;
  for (char& c : spelt) c = c == ',' ? ';' : c == '.' ? ',' : c;
  for (bool full : {false, true}) {
    const Precision precision = full ? Precision::Full : Precision::Shown;
    CaseTable defaults(precision, {}, true), theirs(precision, {}, true,
                                                      report::Language::Japanese, european);
    RunOptions options;
    options.format = european;
    std::string expected = stream(plain, defaults).out;
    for (char& c : expected) c = c == ',' ? ';' : c == '.' ? ',' : c;
    EXPECT_EQ(stream(spelt, theirs, options).out, expected);
  }
  // A full stop under the decimal comma ends the number, as a comma does
  // otherwise: read as 1, and flagged.
  CaseTable theirs(Precision::Shown, {}, true, report::Language::Japanese, european);
  RunOptions options;
  options.format = european;
  const auto rows = stream("Ho;T;alpha0;n\n1.5;10;30;60\n", theirs, options).out;
  EXPECT_EQ(rows.substr(rows.rfind(';') + 1), "128\n");
}

TEST(Format, ByteOrderMarkStartsTheOutputOnce) {
  RandomTable table(Precision::Shown);
  RunOptions options;
  options.format.bom = true;
  const auto s = stream("H0p,T13,n,h\n3,10,50,4\n", table, options);
  EXPECT_EQ(s.out.rfind("\xEF\xBB\xBFH0p,T13,n,h,Ks", 0), 0u);
  EXPECT_EQ(s.out.find("\xEF\xBB\xBF", 3), std::string::npos);
}

struct WordyCell {
  const char* name;
  std::string row;    // Ho,T,alpha0,n,h
  bool strictFails;   // under --strict the row fails, naming `column`
  const char* column;
};

class WordyCellTest : public testing::TestWithParam<WordyCell> {};

// Without --strict a cell reads as the window reads its box, flagged; with
// it the row fails with a message naming the column.
TEST_P(WordyCellTest, StrictRefusesWhatTheWindowReadsAsItsLeadingNumber) {
  const auto& p = GetParam();
  const std::string input = "Ho,T,alpha0,n,h\n" + p.row + "\n";
  CaseTable lenient(Precision::Shown, {}, true), strict(Precision::Shown, {}, true,
                                                        report::Language::English, {.strict = true});
  const auto a = stream(input, lenient), b = stream(input, strict);
  const auto leniently = rowsOf(a.out)[1], strictly = rowsOf(b.out)[1];
  EXPECT_EQ(leniently.back(), p.strictFails ? "128" : "0");
  EXPECT_EQ(leniently[kOutputHeader.size() - 1], "");  // it computed
  EXPECT_EQ(strictly[kOutputHeader.size() - 1],
            p.strictFails ? report::trailingTextText(p.column, false, report::Language::English)
                          : "");
  EXPECT_EQ(b.result.status, p.strictFails ? kSomeFailed : kAllComputed);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, WordyCellTest,
    testing::Values(WordyCell{"unit_after_height", "3ft,10,30,60,", true, "Ho"},
                    WordyCell{"quoted_decimal_comma", "\"1,5\",10,30,60,", true, "Ho"},
                    WordyCell{"seconds", "1,10 s,30,60,", true, "T"},
                    WordyCell{"metres_on_depth", "1,10,30,60,12 m", true, "h"},
                    WordyCell{"exponent_without_digits", "1,10,30,60e,", true, "n"},
                    WordyCell{"blanks_inside_and_around", " 1 ,1 0,30, 60 ,", false, ""},
                    WordyCell{"exponent", "1e0,10,30,6e1,2.5", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace saiha::cli
