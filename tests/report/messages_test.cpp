// The message catalogue: every engine code says what went wrong in both
// languages, and the English texts hold no Japanese left untranslated.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "report/compare_table.h"
#include "report/messages.h"
#include "report/profile_table.h"
#include "report/units.h"
#include "shore/comparison.h"
#include "shore/error_names.h"

namespace {

using saiha::report::Language;
namespace report = saiha::report;
namespace shore = saiha::shore;

// Whether `text` (UTF-8) holds kana or kanji, or a full-width form such as
// "（" or "．": three-byte sequences from U+3000 on.
bool hasJapanese(const std::string& text) {
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead >= 0xE3 && lead <= 0xE9) return true;   // U+3000–U+9FFF
    if (lead == 0xEF && next >= 0xBC && next <= 0xBD) return true;  // U+FF00–U+FF7F
  }
  return false;
}

TEST(Catalogue, EveryCodeInBothLanguages) {
  const auto unknown = [](Language language) {
    return report::errorText(static_cast<shore::Error>(255), language);
  };
  for (Language language : {Language::Japanese, Language::English}) {
    std::set<std::string> seen;
    EXPECT_EQ(report::errorText(shore::Error::None, language), "");
    for (std::size_t code = 1; code < shore::kErrorCount; ++code) {
      const std::string text = report::errorText(static_cast<shore::Error>(code), language);
      EXPECT_NE(text, unknown(language)) << "code " << code << " has no message";
      EXPECT_TRUE(seen.insert(text).second) << "code " << code << " repeats " << text;
      EXPECT_EQ(hasJapanese(text), language == Language::Japanese) << code << ": " << text;
    }
  }
}

// Every warning bit has a name and a line of its own in each language, and
// a set of them is said one line per bit; bit 128 stays saiha-calc's.
TEST(Catalogue, EveryWarningInBothLanguages) {
  std::set<std::string> names, japanese, english;
  std::uint32_t all = 0;
  for (const shore::Warning bit : shore::kWarnings) {
    const auto value = static_cast<std::uint32_t>(bit);
    EXPECT_EQ(value & (value - 1), 0u) << "not one bit: " << value;
    EXPECT_NE(value, 128u);
    EXPECT_EQ(all & value, 0u) << "bit listed twice: " << value;
    all |= value;
    EXPECT_TRUE(names.insert(std::string(shore::warningName(bit))).second) << value;
    const std::string ja = warningText({value}, Language::Japanese);
    const std::string en = warningText({value}, Language::English);
    EXPECT_FALSE(ja.empty() || en.empty()) << shore::warningName(bit);
    EXPECT_EQ(ja.find('\n'), std::string::npos);
    EXPECT_TRUE(japanese.insert(ja).second && english.insert(en).second)
        << shore::warningName(bit);
  }
  EXPECT_FALSE(names.count(""));
  const std::string every = warningText({all}, Language::English);
  EXPECT_EQ(std::count(every.begin(), every.end(), '\n') + 1, std::ssize(shore::kWarnings));
  EXPECT_EQ(warningText({128}, Language::English), "");
  EXPECT_EQ(shore::warningName(static_cast<shore::Warning>(128)), "");
}

TEST(Catalogue, CsvCellMessagesInBothLanguages) {
  for (Language language : {Language::Japanese, Language::English}) {
    const bool ja = language == Language::Japanese;
    for (bool comma : {false, true}) {
      const std::string text = report::trailingTextText("alpha0", comma, language);
      EXPECT_NE(text.find("alpha0"), std::string::npos) << text;
      EXPECT_EQ(hasJapanese(text), ja) << text;
      EXPECT_NE(text, report::trailingTextText("alpha0", !comma, language));
    }
    const std::string depth = report::randomDepthText(language);
    EXPECT_EQ(hasJapanese(depth), ja) << depth;
    // The regular waves' message offers an empty depth; a random sea has none.
    EXPECT_NE(depth, report::errorText(shore::Error::InvalidDepth, language));
    EXPECT_EQ(depth.find(ja ? "空欄にして" : "leave it empty"), std::string::npos) << depth;
    // A random sea's shoaling failure names its own cause, not the steepness.
    const std::string shoaling = report::randomShoalingText(language);
    EXPECT_EQ(hasJapanese(shoaling), ja) << shoaling;
    EXPECT_NE(shoaling, report::errorText(shore::Error::NonlinearShoalingLimit, language));
  }
}

// The governing terms of Goda's heights: six distinct names per language,
// each with its formula, in the language asked for.
TEST(Catalogue, RandomTermNamesInBothLanguages) {
  for (Language language : {Language::Japanese, Language::English}) {
    std::set<std::string> names;
    for (auto term : {shore::RandomTerm::Shoaling, shore::RandomTerm::Breaking,
                      shore::RandomTerm::Cap}) {
      for (bool maximum : {false, true}) {
        const std::string name = report::randomTermDisplayName(term, maximum, language);
        EXPECT_EQ(hasJapanese(name), language == Language::Japanese) << name;
        EXPECT_NE(name.find("H0′"), std::string::npos) << name;
        names.insert(name);
      }
    }
    EXPECT_EQ(names.size(), 6u);
  }
}

TEST(Catalogue, NamesAndTablesFollowTheLanguage) {
  const auto rows = shore::compare({1, 10, 30, 60}, {.rho = -1});
  for (const auto& row : rows) {
    EXPECT_FALSE(hasJapanese(report::rowDisplayName(row, Language::English)));
    EXPECT_FALSE(hasJapanese(report::compareRow(row, Language::English)[8]));
    EXPECT_TRUE(hasJapanese(report::compareRow(row)[8]));
  }
  EXPECT_EQ(report::rowDisplayName(rows[3], Language::English), "Goda (2010), Shuto (1974)");
  EXPECT_FALSE(hasJapanese(report::fieldCountText(2, 5, Language::English)));
  for (const report::Text& label : report::kTransportLabels) {
    EXPECT_FALSE(hasJapanese(std::string(label.en))) << label.en;
  }
  EXPECT_EQ(report::languageNamed("en_GB.UTF-8"), Language::English);
  EXPECT_EQ(report::languageNamed("ja"), Language::Japanese);
  EXPECT_EQ(report::languageNamed("de"), std::nullopt);
}

}  // namespace

namespace saiha {
namespace {

using report::Language;
using report::Usage;

// saiha-calc's own messages: each in both languages, its details in their
// places, none left as a placeholder.
TEST(UsageCatalogue, EveryMessageInBothLanguagesWithItsDetails) {
  for (int u = 0; u <= static_cast<int>(report::kLastUsage); ++u) {
    const Usage usage = static_cast<Usage>(u);
    const std::string en = report::usageText(usage, {"A1", "B2", "C3", "D4"}, Language::English);
    const std::string ja = report::usageText(usage, {"A1", "B2", "C3", "D4"}, Language::Japanese);
    EXPECT_FALSE(en.empty()) << u;
    EXPECT_FALSE(hasJapanese(en)) << u << ": " << en;
    EXPECT_TRUE(hasJapanese(ja)) << u << ": " << ja;
    EXPECT_EQ(en.find('%'), std::string::npos) << u << ": " << en;
    EXPECT_EQ(ja.find('%'), std::string::npos) << u << ": " << ja;
    // A detail the English text takes, the Japanese takes too.
    for (const char* detail : {"A1", "B2", "C3", "D4"}) {
      EXPECT_EQ(en.find(detail) == std::string::npos, ja.find(detail) == std::string::npos)
          << u << ": " << detail;
    }
  }
  EXPECT_EQ(report::usageText(Usage::RowsFailed, {"9", "309", "line 302: x"}, Language::English),
            "9 of 309 rows failed (first: line 302: x)");
  EXPECT_EQ(report::usageText(Usage::RowsFailed, {"9", "309", "line 302: x"}),
            "309 行中 9 行が計算できませんでした（最初：line 302: x）");
}

// One unit per column, as --units writes it; text columns have none.
TEST(Units, ColumnsNamedWithTheirUnits) {
  EXPECT_EQ(report::withUnit("Hb"), "Hb [m]");
  EXPECT_EQ(report::withUnit("C"), "C [m s-1]");
  EXPECT_EQ(report::withUnit("alpha0"), "alpha0 [degree]");
  EXPECT_EQ(report::withUnit("Q_m3_per_year"), "Q_m3_per_year [m3 year-1]");
  EXPECT_EQ(report::withUnit("n"), "n [1]");
  for (const char* text : {"error", "rule", "point", "breaker", "shoaling", "warnings", "id"}) {
    EXPECT_EQ(report::withUnit(text), text);
  }
  // Every column of every table has its unit or is text.
  for (const auto& header : {std::vector<std::string_view>(report::kProfileHeader.begin(),
                                                           report::kProfileHeader.end()),
                             std::vector<std::string_view>(report::kCompareHeader.begin(),
                                                           report::kCompareHeader.end())}) {
    for (const std::string_view name : header) {
      const bool text = name == "rule" || name == "point" || name == "breaker" ||
                        name == "shoaling" || name == "error" || name == "breaker_type";
      EXPECT_EQ(report::columnUnit(name).has_value(), !text) << name;
    }
  }
}

}  // namespace
}  // namespace saiha
