// The CSV front end: reading records, the header, one case per row, and the
// whole run with its exit status.
#include "cli/pipeline.h"
#include "report/messages.h"
#include "tests/cli/csv_strings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace saiha::cli {
namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> fieldsOf(const std::vector<Record>& records) {
  std::vector<Fields> out;
  for (const auto& r : records) out.push_back(r.fields);
  return out;
}

std::vector<std::size_t> linesOf(const std::vector<Record>& records) {
  std::vector<std::size_t> out;
  for (const auto& r : records) out.push_back(r.line);
  return out;
}

// ---------------------------------------------------------------- records

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<Fields> records;
  std::vector<std::size_t> lines;
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }


class ParseRecordsTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseRecordsTest, SplitsFieldsAndKnowsLines) {
  const auto& c = GetParam();
  const auto records = parseRecords(c.text);
  EXPECT_EQ(fieldsOf(records), c.records);
  EXPECT_EQ(linesOf(records), c.lines);
  // Lines cut anywhere by the blocks they arrive in read the same.
  for (std::size_t block : {1, 2, 3, 5}) {
    const auto inBlocks = parseRecords(c.text, block);
    EXPECT_EQ(fieldsOf(inBlocks), c.records) << block << "-byte blocks";
    EXPECT_EQ(linesOf(inBlocks), c.lines) << block << "-byte blocks";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, ParseRecordsTest,
    testing::Values(
        ParseCase{"LfLineEnds", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        ParseCase{"CrlfLineEnds", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        ParseCase{"CrLineEnds", "a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        ParseCase{"NoFinalLineEnd", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        ParseCase{"Utf8BomSkipped", "\xEF\xBB\xBFHo,T\n1,2\n", {{"Ho", "T"}, {"1", "2"}}, {1, 2}},
        // Empty lines are skipped; a line of blanks after the first record
        // is a record of its own (a row the table refuses by its field
        // count), before it a blank line.
        ParseCase{"EmptyLinesSkippedBlankLinesKept",
                  "a,b\n\n\r\n  \n\t\nc,d\n\n",
                  {{"a", "b"}, {"  "}, {"\t"}, {"c", "d"}},
                  {1, 4, 5, 6}},
        ParseCase{"BlankLinesBeforeTheHeaderSkipped", "  \n\"\"\n\na,b\n\"\"\n",
                  {{"a", "b"}, {""}}, {4, 5}},
        ParseCase{"BlanksInsideFieldsKept", " a , b\t\n", {{" a ", " b\t"}}, {1}},
        ParseCase{"EmptyFields", ",,\n", {{"", "", ""}}, {1}},
        ParseCase{"QuotedCommaQuoteAndLineBreak",
                  "\"1,5\",\"say \"\"hi\"\"\",\"x\r\ny\"\nz,w\n",
                  {{"1,5", "say \"hi\"", "x\r\ny"}, {"z", "w"}},
                  {1, 3}},
        ParseCase{"PlainLinesAroundQuotedOnes",
                  "a,b\n\"c\nd\",e\n\"f\",g\rh,\r\ni,j",
                  {{"a", "b"}, {"c\nd", "e"}, {"f", "g"}, {"h", ""}, {"i", "j"}},
                  {1, 2, 4, 5, 6}},
        ParseCase{"NothingButBlankLines", "\n\r\n\n", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadInputCase {
  const char* name;
  std::string text;
  std::string messagePart;  // the line and the reason
};
void PrintTo(const BadInputCase& c, std::ostream* os) { *os << c.name; }


class ParseRecordsErrorTest : public testing::TestWithParam<BadInputCase> {};

TEST_P(ParseRecordsErrorTest, ThrowsWithLineAndReason) {
  const auto& c = GetParam();
  for (std::size_t block : {std::string_view::npos, std::size_t{1}, std::size_t{3}}) {
    try {
      parseRecords(c.text, block);
      FAIL() << "no error for " << c.name;
    } catch (const InputError& error) {
      EXPECT_NE(std::string(error.what()).find(c.messagePart), std::string::npos) << error.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rejected, ParseRecordsErrorTest,
    testing::Values(
        BadInputCase{"QuoteNeverCloses", "Ho,T\n1,\"2\n3\n", "line 2: malformed CSV"},
        BadInputCase{"QuoteInsideUnquotedField", "Ho,T\n1,2\n1,2\"3\n", "line 3: malformed CSV"},
        BadInputCase{"TextAfterClosingQuote", "Ho,T\n\n1,\"2\"3\n", "line 3: malformed CSV"},
        BadInputCase{"NulByte", std::string("Ho,T\n1,2\n1,\0\n", 13), "line 3: the input contains a NUL"},
        BadInputCase{"Utf16", std::string("\xFF\xFEH\0o\0", 6), "UTF-16"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- writing

struct QuoteCase {
  const char* name;
  std::string field;
  std::string written;
};
void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.name; }


class QuoteFieldTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteFieldTest, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(quoteField(GetParam().field), GetParam().written);
}

TEST_P(QuoteFieldTest, ReadsBackUnchanged) {
  const Fields fields = {"x", GetParam().field, "y"};
  const auto records = parseRecords(formatRecord(fields));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].fields, fields);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, QuoteFieldTest,
    testing::Values(QuoteCase{"Plain", "2.07", "2.07"}, QuoteCase{"Empty", "", ""},
                    QuoteCase{"Blanks", " 1 ", " 1 "},
                    QuoteCase{"Japanese", "水深には", "水深には"},
                    QuoteCase{"Comma", "1,5", "\"1,5\""},
                    QuoteCase{"Quote", "3\"0", "\"3\"\"0\""},
                    QuoteCase{"OnlyQuotes", "\"\"", "\"\"\"\"\"\""},
                    QuoteCase{"LineFeed", "a\nb", "\"a\nb\""},
                    QuoteCase{"CarriageReturn", "a\rb", "\"a\rb\""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- header

struct HeaderCase {
  const char* name;
  Fields header;
  std::array<std::optional<std::size_t>, kColumnCount> position;  // Ho, T, alpha0, n, h
};
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }


class HeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, FindsEachColumn) {
  const Layout layout = readHeader(Record{GetParam().header, 1});
  EXPECT_EQ(layout.position, GetParam().position);
  EXPECT_EQ(layout.width, GetParam().header.size());
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, HeaderTest,
    testing::Values(
        HeaderCase{"InOrder", {"Ho", "T", "alpha0", "n", "h"}, {0, 1, 2, 3, 4}},
        HeaderCase{"DepthAbsent", {"Ho", "T", "alpha0", "n"}, {0, 1, 2, 3, std::nullopt}},
        HeaderCase{"AnyOrder", {"h", "n", "Ho", "alpha0", "T"}, {2, 4, 3, 1, 0}},
        HeaderCase{"BlanksAroundNames", {" Ho", "T ", "\talpha0", "n", " h "}, {0, 1, 2, 3, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadHeaderCase {
  const char* name;
  Fields header;
  std::string messagePart;
};
void PrintTo(const BadHeaderCase& c, std::ostream* os) { *os << c.name; }


class BadHeaderTest : public testing::TestWithParam<BadHeaderCase> {};

TEST_P(BadHeaderTest, IsRejectedWithReason) {
  try {
    readHeader(Record{GetParam().header, 3});
    FAIL() << "header accepted";
  } catch (const InputError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("line 3: ", 0), 0u) << message;
    EXPECT_NE(message.find(GetParam().messagePart), std::string::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rejected, BadHeaderTest,
    testing::Values(
        BadHeaderCase{"MissingSlope", {"Ho", "T", "alpha0", "h"}, "lacks column 'n'"},
        BadHeaderCase{"MissingHeight", {"T", "alpha0", "n"}, "lacks column 'Ho'"},
        BadHeaderCase{"InputInOtherCase", {"Ho", "T", "Alpha0", "n", "note"}, "unknown column 'Alpha0'"},
        BadHeaderCase{"RepeatedOther", {"Ho", "T", "alpha0", "n", "id", "id"}, "'id' appears twice"},
        // A capital H must not pass for the depth and be silently dropped.
        BadHeaderCase{"WrongCase", {"Ho", "T", "alpha0", "n", "H"}, "unknown column 'H'"},
        BadHeaderCase{"Repeated", {"Ho", "T", "alpha0", "n", "T"}, "'T' appears twice"},
        BadHeaderCase{"EmptyName", {"Ho", "T", "alpha0", "n", ""}, "column 5 of the header has no name"},
        BadHeaderCase{"Semicolons", {"Ho;T;alpha0;n"}, "separated by commas"},
        BadHeaderCase{"DataRowInstead", {"1", "10", "30", "60", ""}, "unknown column '1'"},
        BadHeaderCase{"ControlCharactersNotEchoed", {"Ho", "T", "alpha0", "n", "x\ny"},
                      "unknown column 'x?y'"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- rows

const Layout kStandard = readHeader(Record{{"Ho", "T", "alpha0", "n", "h"}, 1});

std::string outputLine(const RowOutcome& row) {
  std::string line = formatRecord(row.cells);
  line.pop_back();  // the line feed
  return line;
}

constexpr const char* kSlopeMessage = "海底勾配の分母には 0 より大きい数値を入力してください．";
constexpr const char* kDepthMessage = "水深には 0 より大きい数値を入力するか，空欄にしてください．";

struct RowCase {
  const char* name;
  Fields fields;
  std::string output;  // the output row without its line feed
  bool ok;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }


class CalcRecordTest : public testing::TestWithParam<RowCase> {};

TEST_P(CalcRecordTest, WritesInputsResultsAndError) {
  const auto& c = GetParam();
  const RowOutcome row = calcRecord(kStandard, Record{c.fields, 2});
  EXPECT_EQ(row.cells.size(), kOutputHeader.size());
  EXPECT_EQ(outputLine(row), c.output);
  EXPECT_EQ(row.ok, c.ok);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcRecordTest,
    testing::Values(
        RowCase{"DefaultsFillTheDepth",
                {"1", "10", "30", "60", ""},
                "1,10,30,60,2.07,1.71,2.07,0.82,8.18,44.44,8.18,4.44,1.71,2.87,1.80,3.00,1.88,",
                true},
        RowCase{"DepthTen",
                {"1", "10", "30", "60", "10"},
                "1,10,30,60,10,1.71,2.07,0.82,8.18,92.38,17.21,9.24,0.94,0.64,0.40,0.79,0.50,",
                true},
        RowCase{"NegativeAngleMirrorsDirections",
                {"1", "10", "-30", "60", ""},
                "1,10,-30,60,2.07,1.71,2.07,0.82,-8.18,44.44,-8.18,4.44,1.71,2.87,1.80,3.00,1.88,",
                true},
        // A quoted decimal comma ends the number, as in the window: Ho is 1.
        RowCase{"CellReadAsTheWindowReadsIt",
                {"1,5", "10 s", "30", "60", " 10 "},
                "\"1,5\",10 s,30,60, 10 ,1.71,2.07,0.82,8.18,92.38,17.21,9.24,0.94,0.64,0.40,0.79,"
                "0.50,",
                true},
        RowCase{"SlopeZeroWritesNoResult",
                {"1", "10", "30", "0", ""},
                std::string("1,10,30,0,,,,,,,,,,,,,,") + kSlopeMessage,
                false},
        RowCase{"DepthNotANumberKeepsBreakingPoint",
                {"1", "10", "30", "60", "abc"},
                std::string("1,10,30,60,abc,1.71,2.07,0.82,8.18,,,,,,,,,") + kDepthMessage,
                false},
        // Blanks are not an empty depth box: the depth reads as 0.
        RowCase{"DepthOfBlanksIsNotEmpty",
                {"1", "10", "30", "60", "  "},
                std::string("1,10,30,60,  ,1.71,2.07,0.82,8.18,,,,,,,,,") + kDepthMessage,
                false},
        RowCase{"NoBreakingPoint",
                {"0.01", "20", "0", "0.01", ""},
                "0.01,20,0,0.01,,,,,,,,,,,,,,砕波点が，水深と沖波波長の比 0.00001～1 "
                "の範囲に見つかりません．入力値を確認してください．",
                false},
        RowCase{"TooFewFields",
                {"1", "10", "30"},
                "1,10,30,,,,,,,,,,,,,,,列の数が見出し行と合いません（この行 3 列，見出し行 5 "
                "列）．小数点にはピリオドを使い，カンマを含むセルは二重引用符で囲んでください．",
                false},
        // An unquoted decimal comma splits the height in two; not computed.
        RowCase{"TooManyFields",
                {"1", "5", "10", "30", "60", ""},
                "1,5,10,30,60,,,,,,,,,,,,,列の数が見出し行と合いません（この行 6 列，見出し行 5 "
                "列）．小数点にはピリオドを使い，カンマを含むセルは二重引用符で囲んでください．",
                false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalcRecord, ColumnsInAnyOrderGiveTheSameRow) {
  const Layout shuffled = readHeader(Record{{"n", "h", "T", "Ho", "alpha0"}, 1});
  const RowOutcome row = calcRecord(shuffled, Record{{"60", "10", "10", "1", "30"}, 2});
  EXPECT_EQ(outputLine(row),
            "1,10,30,60,10,1.71,2.07,0.82,8.18,92.38,17.21,9.24,0.94,0.64,0.40,0.79,0.50,");
}

TEST(CalcRecord, AbsentDepthColumnIsAnEmptyDepth) {
  const Layout noDepth = readHeader(Record{{"Ho", "T", "alpha0", "n"}, 1});
  const RowOutcome row = calcRecord(noDepth, Record{{"1", "10", "30", "60"}, 2});
  EXPECT_EQ(outputLine(row),
            "1,10,30,60,2.07,1.71,2.07,0.82,8.18,44.44,8.18,4.44,1.71,2.87,1.80,3.00,1.88,");
}

TEST(CalcRecord, VeryLongCellIsEchoedAndChecked) {
  const std::string huge = "1" + std::string(200000, '0');  // beyond the single range
  const RowOutcome row = calcRecord(kStandard, Record{{huge, "10", "30", "60", ""}, 2});
  EXPECT_FALSE(row.ok);
  EXPECT_EQ(row.cells[0], huge);
  // Told that it lies beyond single precision, not to enter a number > 0.
  EXPECT_EQ(row.cells.back(), report::beyondSingleText("Ho"));
}

// ---------------------------------------------------------------- run

struct RunOutput {
  int status;
  std::string out;
  std::string diagnostic;
};

RunOutput runOn(const std::string& input) {
  std::ostringstream out;
  RunOutput result;
  result.status = run(input, out, result.diagnostic);
  result.out = out.str();
  return result;
}

// Columns beside the inputs keep their places; the inputs fill theirs in the
// order Ho, T, alpha0, n, h, and the result cells are those of the inputs alone.
TEST(Run, OtherColumnsPassThroughInTheirPlaces) {
  const auto plain = runOn("Ho,T,alpha0,n,h\n1,10,30,60,\n1,10,90,60,3\n");
  const auto joined = runOn("id,n,T,alpha0,Ho,note\nw1,60,10,30,1,\"a,b\"\nw2,60,10,90,1,\n");
  EXPECT_EQ(joined.status, plain.status);
  const auto in = parseRecords(plain.out), out = parseRecords(joined.out);
  ASSERT_EQ(out.size(), 3u);
  const std::vector<std::string> header = {"id", "Ho", "T", "alpha0", "n", "h", "note"};
  EXPECT_EQ(std::vector(out[0].fields.begin(), out[0].fields.begin() + 7), header);
  EXPECT_EQ(out[1].fields[6], "a,b");
  for (std::size_t row = 1; row < 3; ++row) {
    EXPECT_EQ(std::vector(out[row].fields.begin() + 7, out[row].fields.end()),
              std::vector(in[row].fields.begin() + 5, in[row].fields.end())) << row;
  }
  EXPECT_NE(runOn("Ho,T,alpha0,n,error\n").diagnostic.find("name of an output column"),
            std::string::npos);
}

constexpr const char* kHeaderLine =
    "Ho,T,alpha0,n,h,Hb,hb,gamma,theta_b,L,theta,C,H,a_bottom,u_bottom,a_surface,u_surface,"
    "error\n";
constexpr const char* kDefaultsLine =
    "1,10,30,60,2.07,1.71,2.07,0.82,8.18,44.44,8.18,4.44,1.71,2.87,1.80,3.00,1.88,\n";

TEST(Run, LongRowsKeepEveryCell) {
  // Passed-through cells from short to long, some quoted, make a row far
  // longer than a usual one; each cell comes out whole and in its place.
  std::string header = "Ho,T,alpha0,n,h", row = "1,10,30,60,";
  std::vector<std::string> notes;
  for (int i = 0; i < 12; ++i) {
    header += ",c" + std::to_string(i);
    notes.push_back(std::string(static_cast<std::size_t>(100 + 10 * i), char('a' + i)) +
                    (i % 3 == 0 ? ",\"" : ""));
    row += "," + quoteField(notes.back());
  }
  const auto out = parseRecords(runOn(header + "\n" + row + "\n").out);
  ASSERT_EQ(out.size(), 2u);
  for (std::size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(out[1].fields[5 + i], notes[i]) << i;
  const auto expected = parseRecords(kDefaultsLine).front().fields;
  EXPECT_EQ(std::vector(out[1].fields.begin() + 17, out[1].fields.end()),
            std::vector(expected.begin() + 5, expected.end()));
}

TEST(Run, EveryRowComputedExitsZero) {
  const auto r = runOn("Ho,T,alpha0,n,h\r\n1,10,30,60,\r\n\r\n1,10,30,60,\r\n");
  EXPECT_EQ(r.status, kAllComputed);
  EXPECT_EQ(r.out, std::string(kHeaderLine) + kDefaultsLine + kDefaultsLine);
  EXPECT_EQ(r.diagnostic, "");
}

TEST(Run, HeaderOnlyWritesHeaderAndExitsZero) {
  const auto r = runOn("\xEF\xBB\xBFHo,T,alpha0,n\n");
  EXPECT_EQ(r.status, kAllComputed);
  EXPECT_EQ(r.out, kHeaderLine);
}

// Each row is a case of its own: a failed row after a computed one
// shows no results of the row before, and the computed row after it does not
// inherit the failed row's depth.
TEST(Run, FailedRowAmongGoodOnesExitsOneAndKeepsEveryRow) {
  const auto r = runOn("Ho,T,alpha0,n,h\n1,10,30,60,\n1,10,30,0,\n1,10,30,60,\n");
  EXPECT_EQ(r.status, kSomeFailed);
  EXPECT_EQ(r.out, std::string(kHeaderLine) + kDefaultsLine + "1,10,30,0,,,,,,,,,,,,,," +
                       kSlopeMessage + "\n" + kDefaultsLine);
}

TEST(Run, OutputReadsBackAsTheInputCells) {
  const Fields cells = {"1,5", "10 \"s\"", "30", "60", "line\nbreak"};
  const auto r = runOn("Ho,T,alpha0,n,h\n" + formatRecord(cells));
  const auto records = parseRecords(r.out);
  ASSERT_EQ(records.size(), 2u);
  ASSERT_EQ(records[1].fields.size(), kOutputHeader.size());
  EXPECT_EQ(Fields(records[1].fields.begin(), records[1].fields.begin() + 5), cells);
}

struct UnusableCase {
  const char* name;
  std::string input;
  std::string diagnosticPart;
};
void PrintTo(const UnusableCase& c, std::ostream* os) { *os << c.name; }


class RunUnusableTest : public testing::TestWithParam<UnusableCase> {};

TEST_P(RunUnusableTest, ExitsTwoAndWritesNothing) {
  const auto r = runOn(GetParam().input);
  EXPECT_EQ(r.status, kUnusable);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.diagnostic.find(GetParam().diagnosticPart), std::string::npos) << r.diagnostic;
  EXPECT_EQ(r.diagnostic.find('\n'), std::string::npos) << "not one line: " << r.diagnostic;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RunUnusableTest,
    testing::Values(
        UnusableCase{"Empty", "", "the input is empty"},
        UnusableCase{"OnlyBlankLines", "\n\r\n", "the input is empty"},
        UnusableCase{"NoHeader", "1,10,30,60,\n", "line 1: unknown column '1'"},
        UnusableCase{"BadHeaderAfterBlankLines", "\n\nHo,T,alpha0\n", "line 3: the header lacks"},
        UnusableCase{"Binary", std::string("Ho,T,alpha0,n\n\0\0\0", 17), "NUL byte"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- examples

TEST(ExamplesFile, EveryRowGivesOneOutputRow) {
  std::ifstream file(SAIHA_SOURCE_DIR "/examples/cases.csv", std::ios::binary);
  ASSERT_TRUE(file) << "examples/cases.csv not found";
  std::stringstream content;
  content << file.rdbuf();
  const auto input = parseRecords(content.str());
  ASSERT_GE(input.size(), 201u) << "a few hundred cases expected";

  const auto r = runOn(content.str());
  EXPECT_EQ(r.status, kSomeFailed) << "the file ends with failing rows";
  const auto output = parseRecords(r.out);
  ASSERT_EQ(output.size(), input.size());
  const Layout layout = readHeader(input[0]);
  std::size_t failed = 0;
  for (std::size_t i = 1; i < input.size(); ++i) {
    ASSERT_EQ(output[i].fields.size(), kOutputHeader.size()) << "row " << i;
    for (std::size_t c = 0; c + 1 < kColumnCount; ++c) {
      EXPECT_EQ(output[i].fields[c], input[i].fields[*layout.position[c]]) << "row " << i;
    }
    if (!output[i].fields.back().empty()) ++failed;
  }
  // The generated cases all compute; only the few rows that show the
  // failures at the end do not.
  EXPECT_GE(failed, 5u);
  EXPECT_LE(failed, 20u);
  EXPECT_EQ(formatRecord(output[1].fields), kDefaultsLine);
}

}  // namespace
}  // namespace saiha::cli
