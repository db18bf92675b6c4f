// Every text the user reads outside the windows' own Qt texts, in Japanese
// and English, in one place for every front end: the message of each engine
// code and the names the window gives the models.  saiha-calc, the windows
// and the Python package all take their words here; Japanese is the default.
// Every text is UTF-8.  Nothing throws but std::bad_alloc.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "saiha/export.h"
#include "saiha/report/bed_profile.h"
#include "saiha/report/language.h"
#include "saiha/shore/comparison.h"
#include "saiha/shore/engine.h"
#include "saiha/shore/model_choice.h"
#include "saiha/shore/random_waves.h"

namespace saiha::report {

// The message for an engine code, as the window shows it; empty for None.
SAIHA_API std::string errorText(shore::Error code, Language language = Language::Japanese);

// What the window says of a result's warnings (formulas outside their
// fitted range), one line per warning; empty for none.
SAIHA_API std::string warningText(shore::Warnings warnings, Language language = Language::Japanese);

// The message for a depth that reads as a number > 0 but lies beyond single
// precision (above about 3.4e38 m), where errorText(InvalidDepth) would ask
// for a number greater than 0.
SAIHA_API std::string depthTooLargeText(Language language = Language::Japanese);

// The message of a profile file's fault, one line: `source` names the file
// as the face quotes it.
SAIHA_API std::string bedProfileFaultText(const BedFault& fault, std::string_view source,
                                          Language language = Language::Japanese);
// The message for an input cell whose number lies beyond single precision
// (above about 3.4e38 in size) or that names an infinity ("inf"), where
// errorText would ask for a number in the input's range: `column` names the
// input ("Ho").
SAIHA_API std::string beyondSingleText(std::string_view column,
                                       Language language = Language::Japanese);

// The message for transport parameters that each pass their checks but
// together overflow every breaker's yearly transport
// (shore::transportAlwaysOverflows); `names` lists the parameters as the
// face calls them ("--K, --rho, --rho-s and --porosity").
SAIHA_API std::string transportOverflowText(std::string_view names,
                                            Language language = Language::Japanese);

// The messages of saiha-calc about its command line and its run, in both
// languages: an option or value it cannot use (exit 2), the reasons a
// shared option does not apply to a mode, the summary lines of a run.  Each
// text takes its details as %1, %2 … (an option's name, the value as typed,
// a count), given in that order to usageText.
enum class Usage : unsigned char {
  SeeHelp,              // " (see %1 --help)", after a command-line error
  NotANumber,           // %1 option, %2 value
  TooLarge,             // %1 option, %2 value
  TooSmall,             // %1 option, %2 value
  Threads,              // %1 value of -j
  PrecisionChoice,      // %1 value of --precision
  UnknownLanguage,      // %1 --lang or SAIHA_LANG, %2 value
  DelimiterChoice,      // %1 value
  UnknownBreaker,       // %1 value, %2 the names
  UnknownShoaling,      // %1 value, %2 the names
  Required,             // %1 option
  BeforeSubcommand,     // %1 option, %2 subcommand
  MissingValue,         // %1 option
  ValueIsSubcommand,    // %1 option, %2 subcommand
  Unexpected,           // %1 the arguments, in their order
  Excludes,             // %1 option, %2 option
  GivenTwice,           // %1 option
  NotAChoice,           // %1 option, %2 value, %3 the choices
  OutOfRange,           // %1 option, %2 value, %3 lowest, %4 highest
  FlagValue,            // %1 flag, %2 value
  DoesNotGoWith,        // %1 option, %2 the mode, %3 why
  FileBeforeSubcommand, // %1 subcommand, %2 why
  GiveFileAfter,        // why a FILE before a subcommand is not read
  OneWaveOptions,       // %1 subcommand: why it reads no FILE
  WhyOneWaveThreads,
  WhyOneWaveProgress,
  WhyEveryModel,
  WhyGodaModel,
  WhyOwnUnits,
  WhyStructureModel,
  CompareInputs,        // compare without its four wave options or a FILE
  GoesWithProfile,      // %1 option of random --profile
  FileWithProfile,      // FILE given to random --profile
  ProfileNeeds,         // random --profile without its sea
  FromDepth,            // --from not a depth > 0
  SpacingDistance,      // --spacing not a distance > 0
  EmpiricalShoaling,    // %1 the --shoaling given, %2 the empirical breaker, %3 its index
  DecimalCommaNeedsDelimiter,  // --decimal-comma with the comma as separator
  NoStations,           // the seaward depth or spacing gives no stations, %1 the most
  CannotOpen,           // %1 the file, %2 why
  OutOfMemory,          // %1 the input
  OutOfMemoryAfterRows, // %1 the rows read before memory ran out
  RowsFailed,           // %1 failed, %2 rows, %3 the first failure
  RowsWarned,           // %1 with warnings, %2 rows, %3 the first
  WarningsHint,         // after RowsWarned without --warnings
  Interrupted,          // %1 rows written
  // Faults of an input's text and header (the whole input is refused).
  AtLine,               // "line %1: ", before a fault of that line
  LineNumber,           // "line %1", the first row with warnings
  StandardInput,        // the input's name when it is standard input
  StandardOutput,       // the output's name when it is standard output
  NulByte,
  Utf16,
  NotUtf8,
  QuoteNotClosed,
  MalformedQuote,
  RecordTooLong,        // %1 the most, in MiB
  UnnamedColumn,        // %1 its position, %2 the columns expected
  UnknownColumn,        // %1 the name, %2 the columns expected
  SeparatedBy,          // %1 Commas, Semicolons or Tabs
  Commas,
  Semicolons,
  Tabs,
  ColumnTwice,          // %1 the name
  LacksColumn,          // %1 the name, %2 the columns expected
  OutputColumnName,     // %1 the name
  EmptyInput,           // %1 the columns expected
  HeightTwice,          // both Hrms0 and Hm0
  LacksHeight,          // %1 the columns expected
  WindTwice,            // the column wind_stress and --wind-stress
  SettingTwice,         // %1 the setting, %2 its option
  SettingMissing,       // %1 the setting, %2 its option
  NoConditions,         // a chain summary of no conditions
  SummaryInterrupted,   // a chain summary stopped by Ctrl+C
  ConditionsFailed,     // %1 failed, %2 conditions, %3 the first failure
  StationAt,            // "station at h=%1: ", before a station's fault
  // The columns each table's header must name, for %2 above.
  ColumnsCalc,
  ColumnsCompare,
  ColumnsRandom,
  ColumnsTransform,
  ColumnsCaisson,
  ColumnsOvertopping,
  ColumnsArmour,
  // Reading the input and writing the results.
  CannotRead,           // %1 why (the system's words), after the input's name
  CannotReadConditions, // %1 why
  CannotWriteResults,   // %1 the output, %2 why
  CannotWrite,          // %1 the file of -o, %2 why
  ChangedWhileOpened,
  NotWritableKind,
  LinksNotFound,
  ReadOnly,             // %1 the mode's octal digits
  NotAFileName,
  // Options of the transform and of the chain to a structure.
  OneWaveCompare,       // the form of compare that DoesNotGoWith names
  OneConditionTransform,
  TransformNeedsProfile,
  UnknownDissipation,   // %1 value, %2 the names
  GammaChoice,          // %1 value
  MixingChoice,         // %1 value
  MixingCoefficient,
  AtOutside,            // %1 value, %2 the first x, %3 the last x
  GoesWithChain,        // %1 option
  ChainDepth,
  ChainToeCrest,
  ChainSlope,
  ChainComposite,
  LimitsWithSummary,
  DischargeLimit,       // %1 value
};
// The last of Usage, for a walk over every message.
inline constexpr Usage kLastUsage = Usage::DischargeLimit;
SAIHA_API std::string usageText(Usage usage, std::initializer_list<std::string_view> details,
                                Language language = Language::Japanese);

// The message of a CSV row whose field count is not the header's.
SAIHA_API std::string fieldCountText(std::size_t fields, std::size_t width,
                                     Language language = Language::Japanese);

// The message of an input cell whose text goes on after its number ("3ft",
// "1,5" in quotes), where saiha-calc is told to take numbers alone: the
// column's name and, with `decimalComma`, the comma as the decimal mark.
SAIHA_API std::string trailingTextText(std::string_view column, bool decimalComma = false,
                                       Language language = Language::Japanese);

// The message of a random sea's depth that is empty or no number > 0:
// Goda's heights are found at a given depth, which has no default.
SAIHA_API std::string randomDepthText(Language language = Language::Japanese);

// The message of a random sea whose shoaling coefficient cannot be formed
// at the depth (Shuto's nonlinear law does not settle there) where the
// shoaled term might still govern Goda's heights.
SAIHA_API std::string randomShoalingText(Language language = Language::Japanese);

// A governing term of Goda's random-wave heights as the window names it,
// with its formula, for H1/3 or (maximum) Hmax: "浅水変形 Ks·H0′" /
// "shoaling Ks·H0′" ….
SAIHA_API std::string randomTermDisplayName(shore::RandomTerm term, bool maximum,
                                  Language language = Language::Japanese);

// Names for the window: "合田 (1970)" / "Goda (1970)", "McCowan" …;
// "2 領域" / "two regimes", "首藤 (1974)" / "Shuto (1974)".
SAIHA_API std::string_view breakerDisplayName(shore::BreakerLimit breaker,
                                              Language language = Language::Japanese);
SAIHA_API std::string_view shoalingDisplayName(shore::Shoaling shoaling,
                                               Language language = Language::Japanese);
// A row's name for a legend or a table: "合田 (2010)・首藤 (1974)", or the
// empirical row's "Komar・Gaughan／Weggel".
SAIHA_API std::string rowDisplayName(const shore::ComparisonRow& row,
                                     Language language = Language::Japanese);

// Labels of the transport parameters, in the order K, ρ, ρs, p.
inline constexpr std::array<Text, 4> kTransportLabels = {{
    {"漂砂量係数 K", "Transport coefficient K"},
    {"海水の密度 ρ (kg/m³)", "Seawater density ρ (kg/m³)"},
    {"底質の密度 ρs (kg/m³)", "Sediment density ρs (kg/m³)"},
    {"空隙率 p", "Porosity p"},
}};
// What the window says under the transport column.
inline constexpr Text kTransportNote = {
    "沿岸漂砂量は CERC 公式によるポテンシャル漂砂量です．有義波高の代わりに規則波の砕波波高 Hb "
    "を用いています（有義波高で定義される Kamphuis の砕波指標も同じ）．合田の有義波高 H1/3 "
    "は「不規則波（合田）」タブで求められます．1 年は 365.25 日です．漂砂の向きは砕波波向 θb "
    "の符号に従います．",
    "Q is the potential longshore transport by the CERC formula, with the regular wave's breaker "
    "height Hb in place of the significant wave height (as is Kamphuis's breaker index, defined "
    "for the significant height); Goda's significant height H1/3 is in the tab 'Irregular waves "
    "(Goda)'; a year is 365.25 days; Q takes the sign of the breaker angle θb."};

}  // namespace saiha::report
