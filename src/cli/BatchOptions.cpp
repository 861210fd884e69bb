#include "cli/BatchOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <set>

#include "analysis/RunAnalysis.h"
#include "analysis/UnitBounds.h"
#include "import/DatabaseImport.h"
#include "import/DatePattern.h"
#include "resources/StringTable.h"
#include "stats/GroupComparison.h"

namespace kalderon::batch {
namespace {

// Where one role of the case stands, as given on the command line:
// "N[:PATTERN]", with --fixed "FROM-TO[:PATTERN]" (or "N" for N-N).
struct RoleArgument {
    std::string text;
    bool given = false;
};

struct RoleArguments {
    RoleArgument begin, end, status, group, sex, birth;
};

std::optional<std::int32_t> PositiveNumber(const std::string& text)
{
    std::int32_t value = 0;
    const auto [rest, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (code != std::errc() || rest != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

// Fills the field number or the positions and the pattern of one role.
// Returns the reason when the text does not fit.
std::string ApplyRole(const std::string& option, const RoleArgument& argument, bool fixed, std::int32_t& column,
                      std::int32_t& from, std::int32_t& to, std::string* pattern)
{
    std::string place = argument.text;
    const size_t colon = place.find(':');
    if (colon != std::string::npos) {
        if (!pattern) return option + " takes no date pattern: " + argument.text;
        *pattern = place.substr(colon + 1);
        place.resize(colon);
        if (!IsUsableDatePattern(*pattern)) return option + ": " + LoadString(321);
    }
    if (!fixed) {
        const auto number = PositiveNumber(place);
        if (!number) return option + " needs a field number (1, 2, ...): " + argument.text;
        column = *number;
        return {};
    }
    const size_t dash = place.find('-');
    const auto first = PositiveNumber(place.substr(0, dash));
    const auto last = dash == std::string::npos ? first : PositiveNumber(place.substr(dash + 1));
    if (!first || !last || *last < *first)
        return option + " needs character positions FROM-TO (1-based, FROM <= TO): " + argument.text;
    from = *first;
    to = *last;
    return {};
}

std::string ApplyRoles(const RoleArguments& roles, TextImportSettings& s)
{
    const bool fixed = s.format == TextImportSettings::kFixedColumns;
    if (fixed && !(roles.begin.given && roles.end.given && roles.status.given))
        return "--fixed needs the positions of --begin, --end and --status";

    std::string reason;
    const auto apply = [&](const char* option, const RoleArgument& argument, std::int32_t& column, std::int32_t& from,
                           std::int32_t& to, std::string* pattern) {
        if (reason.empty() && argument.given) reason = ApplyRole(option, argument, fixed, column, from, to, pattern);
    };
    apply("--begin", roles.begin, s.beginColumn, s.beginFrom, s.beginTo, &s.beginFormat);
    apply("--end", roles.end, s.endColumn, s.endFrom, s.endTo, &s.endFormat);
    apply("--status", roles.status, s.statusColumn, s.statusFrom, s.statusTo, nullptr);
    apply("--group", roles.group, s.groupColumn, s.groupFrom, s.groupTo, nullptr);
    apply("--sex", roles.sex, s.sexColumn, s.sexFrom, s.sexTo, nullptr);
    apply("--birth", roles.birth, s.birthColumn, s.birthFrom, s.birthTo, &s.birthFormat);
    s.useGroup = roles.group.given;
    s.useSex = roles.sex.given;
    s.useBirth = roles.birth.given;
    return reason;
}

// Keeps the field names of a database input and checks that the options
// fit the kind of input.
std::string ApplyDatabaseRoles(const RoleArguments& roles, bool textOptionsGiven, BatchOptions& o)
{
    DatabaseInput& d = o.database;
    if (textOptionsGiven) return "--fixed and --separator apply to text files only";
    if (!d.table.empty() && IsDbaseFile(o.inputPath)) return "--table does not apply to a dBase file: the file is the table";
    d.begin = roles.begin.text, d.end = roles.end.text, d.status = roles.status.text;
    d.group = roles.group.text, d.sex = roles.sex.text, d.birth = roles.birth.text;
    if (d.listTables || d.listFields) return {};
    if (!roles.begin.given || !roles.end.given || !roles.status.given)
        return "a database file needs the field names of --begin, --end and --status";
    return {};
}

std::string SeparatorOf(const std::string& value, std::string& separator)
{
    static const std::map<std::string, std::string> kNamed = {
        {"semicolon", ";"}, {"comma", ","}, {"space", " "}, {"tab", "\t"}};
    if (const auto named = kNamed.find(value); named != kNamed.end()) {
        separator = named->second;
        return {};
    }
    if (value.size() != 1) return "--separator takes one character or semicolon, comma, space, tab: " + value;
    separator = value;
    return {};
}

// Looks a value up in a list of names; the reason when it is not there.
template <typename T>
std::string Choose(const char* option, const std::string& value, const std::map<std::string, T>& choices, T& target)
{
    const auto found = choices.find(value);
    if (found != choices.end()) {
        target = found->second;
        return {};
    }
    std::string names;
    for (const auto& [name, unused] : choices) names += (names.empty() ? "" : ", ") + name;
    return std::string(option) + " takes one of " + names + ": " + value;
}

// "WxH" in pixels.
std::string ImageSizeOf(const std::string& value, int& width, int& height)
{
    constexpr int kLargest = 20000;
    const size_t x = value.find('x');
    const auto w = PositiveNumber(value.substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : PositiveNumber(value.substr(x + 1));
    if (!w || !h || *w > kLargest || *h > kLargest) {
        return "--size needs WIDTHxHEIGHT in pixels, each 1 to 20000: " + value;
    }
    width = *w;
    height = *h;
    return {};
}

bool DrawsProductLimitChart(const BatchOptions& o)
{
    return o.analysis == kProductLimit || (o.analysis == kPeriodAnalysis && o.periodTechnique == kProductLimitTechnique);
}

std::string CheckChartOutputs(const BatchOptions& o)
{
    if (o.chart.riskTable && !o.chart.drawn()) return "--risk-table needs --png or --svg";
    if (o.chart.riskTable && o.chart.openPath.empty() && !DrawsProductLimitChart(o))
        return "--risk-table needs a product-limit chart (--analysis productlimit, or period with --technique "
               "productlimit)";
    if (o.chart.openPath.empty()) return {};
    if (!o.inputPath.empty()) return "--open-chart redraws a saved chart and reads no input file: " + o.inputPath;
    if (!o.chart.drawn()) return "--open-chart needs --png or --svg";
    if (!o.chart.chartPath.empty()) return "--open-chart does not write a chart file";
    return {};
}

std::string DateOf(const char* option, const std::string& value, DateValue& date)
{
    const auto digitOrPoint = [](char c) { return c == '.' || std::isdigit(static_cast<unsigned char>(c)); };
    const bool shaped = value.size() == 10 && value[2] == '.' && value[5] == '.' &&
                        std::all_of(value.begin(), value.end(), digitOrPoint);
    date = shaped ? ParseDatePattern(value, "DD.MM.YYYY") : DateValue::Invalid();
    if (date.isValid()) return {};
    return std::string(option) + " needs a date DD.MM.YYYY: " + value;
}

// A whole number of at least 1.
std::string CountOf(const char* option, const std::string& value, std::int32_t& number)
{
    const auto count = PositiveNumber(value);
    if (count) {
        number = *count;
        return {};
    }
    return std::string(option) + " needs a whole number of at least 1: " + value;
}

// Options of one analysis given for another one are refused rather than
// silently ignored.
std::string CheckAnalysisOptions(const BatchOptions& o, const std::set<std::string>& given)
{
    const auto misplaced = [&](const char* option, std::initializer_list<AnalysisKind> analyses) {
        return given.count(option) && std::find(analyses.begin(), analyses.end(), o.analysis) == analyses.end();
    };
    for (const char* option : {"--period-begin", "--period-end"})
        if (misplaced(option, {kPeriodAnalysis})) return std::string(option) + " needs --analysis period";
    if (misplaced("--technique", {kPeriodAnalysis, kTrend}))
        return "--technique needs --analysis period or trend";
    for (const char* option : {"--years", "--width"})
        if (misplaced(option, {kTrend})) return std::string(option) + " needs --analysis trend";
    // The dates are compared as the period is used: widened to whole time units.
    if (o.periodBegin.isValid() && o.periodEnd.isValid() &&
        StartOfUnit(o.periodBegin, o.timeUnit).serial() > EndOfUnit(o.periodEnd, o.timeUnit).serial())
        return "--period-begin lies after --period-end";
    if (o.analysis == kSmrSir && given.count("--unit")) return "--unit does not apply to --analysis smr";
    if (o.analysis == kSmrSir && o.chart.any()) return "--analysis smr has no chart";
    return {};
}

// The comparison of groups: the groups of a stratified life table or
// product-limit analysis.
std::string CheckCompareOptions(const BatchOptions& o, bool groupGiven)
{
    if (!o.compareCsvPath.empty() && !o.compare) return "--compare-csv needs --compare";
    if (!o.compare) return {};
    if (!HasGroupComparison(o.analysis)) return "--compare applies to --analysis lifetable and productlimit only";
    if (!groupGiven || !o.stratified.value_or(true)) return "--compare needs --group and a stratified analysis";
    return {};
}

// Relative survival and SMR/SIR options, and the columns they need.
std::string CheckPopulationOptions(const BatchOptions& o, const std::set<std::string>& given, bool sexAndBirthGiven)
{
    const PopulationOptions& p = o.population;
    const bool smr = o.analysis == kSmrSir;
    if (p.relativeSurvival && smr) return "--relative does not apply to --analysis smr";
    if (given.count("--male") && given.count("--female")) return "--male and --female exclude each other";
    for (const char* option : {"--population-db", "--population-table", "--male", "--female"})
        if (given.count(option) && !p.relativeSurvival && !smr)
            return std::string(option) + " needs --relative or --analysis smr";
    if (given.count("--standardise") && !CanStandardise(o.analysis, o.periodTechnique))
        return "--standardise applies to --analysis lifetable and to period with --technique lifetable only";
    for (const char* option : {"--method", "--closing-date", "--standardise"})
        if (given.count(option) && !p.relativeSurvival) return std::string(option) + " needs --relative";
    if (given.count("--closing-date")) {
        if (p.method != ExpectedSurvivalMethod::kHakulinen) return "--closing-date needs --method hakulinen";
        if (o.analysis != kLifeTable && o.analysis != kProductLimit)
            return "--closing-date applies to --analysis lifetable and productlimit only";
    }
    if ((p.relativeSurvival || smr) && !sexAndBirthGiven)
        return std::string(smr ? "SMR/SIR" : "relative survival") +
               " needs the sex and the date of birth of every case: give --sex and --birth";
    return {};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    BatchOptions& o = result.options;
    RoleArguments roles;
    bool textOptionsGiven = false;

    using Setter = std::function<std::string(const std::string&)>;
    const auto role = [](RoleArgument& argument) {
        return Setter([&argument](const std::string& value) {
            argument = {value, true};
            return std::string();
        });
    };
    const auto fileName = [](const char* option, std::string& target) {
        return Setter([option, &target](const std::string& value) {
            target = value;
            return value.empty() ? std::string(option) + " needs a file name" : std::string();
        });
    };
    const auto sexCode = [&o](bool female) {
        return Setter([&o, female](const std::string& value) {
            o.population.sexCode = value;
            o.population.sexCodeIsFemale = female;
            return std::string();
        });
    };
    const std::map<std::string, Setter> valued = {
        {"--separator",
         [&](const std::string& v) {
             textOptionsGiven = true;
             return SeparatorOf(v, o.import.separator);
         }},
        {"--table",
         [&](const std::string& v) {
             o.database.table = v;
             return std::string(v.empty() ? "--table needs a table name" : "");
         }},
        {"--begin", role(roles.begin)},
        {"--end", role(roles.end)},
        {"--status", role(roles.status)},
        {"--group", role(roles.group)},
        {"--sex", role(roles.sex)},
        {"--birth", role(roles.birth)},
        {"--analysis",
         [&](const std::string& v) {
             return Choose<AnalysisKind>("--analysis", v,
                                     {{"lifetable", kLifeTable},
                                      {"productlimit", kProductLimit},
                                      {"period", kPeriodAnalysis},
                                      {"trend", kTrend},
                                      {"smr", kSmrSir}},
                                     o.analysis);
         }},
        {"--technique",
         [&](const std::string& v) {
             return Choose<PeriodTechnique>("--technique", v,
                                            {{"lifetable", kLifeTableTechnique}, {"productlimit", kProductLimitTechnique}},
                                            o.periodTechnique);
         }},
        {"--period-begin", [&](const std::string& v) { return DateOf("--period-begin", v, o.periodBegin); }},
        {"--period-end", [&](const std::string& v) { return DateOf("--period-end", v, o.periodEnd); }},
        {"--years", [&](const std::string& v) { return CountOf("--years", v, o.survivalYears); }},
        {"--width", [&](const std::string& v) { return CountOf("--width", v, o.periodWidth); }},
        {"--method",
         [&](const std::string& v) {
             return Choose<ExpectedSurvivalMethod>("--method", v,
                                                   {{"ederer2", ExpectedSurvivalMethod::kEdererII},
                                                    {"hakulinen", ExpectedSurvivalMethod::kHakulinen},
                                                    {"pohar-perme", ExpectedSurvivalMethod::kPoharPerme}},
                                                   o.population.method);
         }},
        {"--standardise",
         [&](const std::string& v) {
             return Choose<IcssStandard>("--standardise", v, {{"icss1", kIcss1}, {"icss2", kIcss2}, {"icss3", kIcss3}},
                                         o.standardise);
         }},
        {"--closing-date",
         [&](const std::string& v) { return DateOf("--closing-date", v, o.population.closingDate); }},
        {"--population-db", fileName("--population-db", o.population.databasePath)},
        {"--population-table",
         [&](const std::string& v) {
             o.population.tableName = v;
             return std::string(v.empty() ? "--population-table needs a table name" : "");
         }},
        {"--male", sexCode(false)},
        {"--female", sexCode(true)},
        {"--event",
         [&](const std::string& v) {
             o.eventCode = v;
             return std::string();
         }},
        {"--unit",
         [&](const std::string& v) {
             return Choose<TimeUnitCode>(
                 "--unit", v, {{"year", kUnitYear}, {"month", kUnitMonth}, {"week", kUnitWeek}, {"day", kUnitDay}},
                 o.timeUnit);
         }},
        {"--ci",
         [&](const std::string& v) {
             return Choose<std::string>("--ci", v, {{".95", ".95"}, {".99", ".99"}}, o.ciLevelText);
         }},
        {"--report",
         [&](const std::string& v) {
             o.reportPath = v;
             return std::string(v.empty() ? "--report needs a file name" : "");
         }},
        {"--csv",
         [&](const std::string& v) {
             o.csvPath = v;
             return std::string(v.empty() ? "--csv needs a file name" : "");
         }},
        {"--chart", fileName("--chart", o.chart.chartPath)},
        {"--png", fileName("--png", o.chart.pngPath)},
        {"--svg", fileName("--svg", o.chart.svgPath)},
        {"--open-chart", fileName("--open-chart", o.chart.openPath)},
        {"--size", [&](const std::string& v) { return ImageSizeOf(v, o.chart.width, o.chart.height); }},
        {"--compare-csv", fileName("--compare-csv", o.compareCsvPath)},
    };
    const std::map<std::string, std::function<void()>> switches = {
        {"--fixed",
         [&] {
             textOptionsGiven = true;
             o.import.format = TextImportSettings::kFixedColumns;
         }},
        {"--separate-dates", [&] { o.database.separateDates = true; }},
        {"--risk-table", [&] { o.chart.riskTable = true; }},
        {"--list-tables", [&] { o.database.listTables = true; }},
        {"--list-fields", [&] { o.database.listFields = true; }},
        {"--relative", [&] { o.population.relativeSurvival = true; }},
        {"--stratified", [&] { o.stratified = true; }},
        {"--no-stratified", [&] { o.stratified = false; }},
        {"--compare", [&] { o.compare = true; }},
        {"--help", [&] { result.helpRequested = true; }},
        {"-h", [&] { result.helpRequested = true; }},
    };

    std::set<std::string> given;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (!o.inputPath.empty()) {
                result.error = "only one input file can be read: " + argument;
            } else {
                o.inputPath = argument;
            }
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (const auto s = switches.find(name); s != switches.end() && equals == std::string::npos) {
            s->second();
        } else if (const auto v = valued.find(name); v != valued.end()) {
            given.insert(name);
            if (equals != std::string::npos) {
                result.error = v->second(argument.substr(equals + 1));
            } else if (i + 1 < arguments.size()) {
                result.error = v->second(arguments[++i]);
            } else {
                result.error = name + " needs a value";
            }
        } else {
            result.error = "unknown option " + argument;
        }
    }
    if (result.helpRequested) return result;
    if (result.error.empty()) result.error = CheckChartOutputs(o);
    if (result.error.empty() && o.inputPath.empty() && o.chart.openPath.empty()) result.error = "no input file given";
    if (!result.error.empty() || o.inputPath.empty()) return result;
    o.isDatabase = IsDatabaseFile(o.inputPath);
    const DatabaseInput& d = o.database;
    if (o.isDatabase)
        result.error = ApplyDatabaseRoles(roles, textOptionsGiven, o);
    else if (!d.table.empty() || d.separateDates || d.listTables || d.listFields)
        result.error = "--table, --separate-dates, --list-tables and --list-fields apply to database files only";
    else
        result.error = ApplyRoles(roles, o.import);
    if (result.error.empty()) result.error = CheckAnalysisOptions(o, given);
    if (result.error.empty()) result.error = CheckCompareOptions(o, roles.group.given);
    const bool listing = o.isDatabase && (d.listTables || d.listFields);
    if (result.error.empty() && !listing)
        result.error = CheckPopulationOptions(o, given, roles.sex.given && roles.birth.given);
    return result;
}

const char* UsageText()
{
    return R"(Usage: kalderon-batch INPUT [options]
       kalderon-batch --open-chart FILE.cht --png OUT.png [--svg OUT.svg] [--size WxH]

Reads a text file of cases (one case per line), or a table of an Access
(.mdb), Excel (.xls) or dBase (.dbf) file, and writes the report of a
survival analysis.

Reading the file:
  --fixed                  fields stand in fixed character columns
                           (default: fields delimited by a separator)
  --separator C            separator character, or semicolon, comma, space,
                           tab (default ";")
  --begin N[:PATTERN]      date of beginning of follow-up (default 1)
  --end N[:PATTERN]        date of end of follow-up (default 2)
  --status N               vital status (default 3)
  --group N                grouping variable (default: none)
  --sex N                  gender (default: none)
  --birth N[:PATTERN]      date of birth (default: none)
                           N is a field number (1, 2, ...); with --fixed it
                           is a range of character positions FROM-TO, and
                           --begin, --end and --status must be given.
                           PATTERN locates day, month and year, for example
                           DD.MM.YYYY (default), DDMMYYYY, DD/MM/YYYY,
                           MMDDYYYY, YYYYMMDD; it must hold MM and YYYY.

Reading a database file (.mdb, .xls, .dbf, any letter case):
  --table NAME             the table (default: the only table; an Excel
                           sheet is named with a trailing "$"); a dBase
                           file is its own table
  --begin, --end, --status, --group, --sex, --birth NAME
                           field names; --begin, --end and --status must
                           be given
  --separate-dates         each date stands in three fields: --begin,
                           --end and --birth take DAY,MONTH,YEAR field
                           names, "-" as DAY for none (the 15th)
  --list-tables            print the table names and stop
  --list-fields            print the field names of the table and stop

Analysis:
  --analysis lifetable|productlimit|period|trend|smr
                           life table (Cutler-Ederer, the default),
                           product-limit (Kaplan-Meier), period analysis,
                           trend in n-year survival by starting year of
                           period, or SMR/SIR (standardized mortality or
                           incidence ratios with Byar limits; no chart)
  --technique lifetable|productlimit
                           technique of the period analysis and the trend
                           (default lifetable)
  --period-begin DD.MM.YYYY, --period-end DD.MM.YYYY
                           period of interest of the period analysis, widened
                           to whole time units and kept inside the observation
                           period (default: the whole observation period)
  --years N                n of the n-year survival of the trend (default 5)
  --width N                width of the period of the trend in years
                           (default 5); the trend needs --unit year
  --event CODE             status code of the event (death); default: the
                           first status code of the valid cases
  --unit year|month|week|day
                           time interval (default year)
  --ci .95|.99             confidence level (default .95)
  --stratified             one table per group
  --no-stratified          one table for all cases
                           (default: stratified when --group is given)
  --compare                add the comparison of groups to the report of a
                           stratified life table or product-limit: the
                           log-rank and Peto-Peto tests and, for the
                           product-limit, the median and quartiles of
                           survival time with their confidence limits

Relative survival and SMR/SIR (both need --sex and --birth):
  --relative               add relative survival to a survival analysis
  --method ederer2|hakulinen|pohar-perme
                           expected survival after Ederer II (default) or
                           Hakulinen, or net survival after Pohar-Perme (with
                           the expected survival after Ederer II beside it)
  --standardise icss1|icss2|icss3
                           life table and period analysis with the life
                           table technique: add observed, relative and net
                           survival standardised over the ICSS age groups
  --closing-date DD.MM.YYYY
                           common closing date of the Hakulinen method for
                           the life table and product-limit (default: the
                           last end of follow-up)
  --population-db PATH     database of population tables (default:
                           LifeTables.mdb, for SMR/SIR
                           ReferenceRateTables.mdb, looked for in the
                           working directory, then in ../data next to the
                           program, then in the source tree's data folder)
  --population-table NAME  the table (default: the first one listed)
  --male CODE, --female CODE
                           the sex code of males or of females (default:
                           the first sex code of the cases, as male); with a
                           single sex code, --female counts every case as
                           female

Output:
  --report FILE            write the report to FILE (default: standard output)
  --csv FILE               write the semicolon-separated export to FILE
                           (lines end in CR LF)
  --compare-csv FILE       with --compare, write the semicolon-separated
                           export of the comparison to FILE (lines end in
                           CR LF)
  --chart FILE.cht         write the chart file of the analysis
  --png FILE, --svg FILE   draw the chart as a PNG or SVG picture
  --risk-table             show the numbers at risk under the time axis of
                           a product-limit chart's pictures
  --size WxH               size of the pictures in pixels (default 800x600)
  --open-chart FILE.cht    draw a saved chart (with --png or --svg) instead
                           of reading an input file
  --help                   show this text

Exit status: 0 success; 1 the analysis cannot run (for example no valid
case, or a population table without usable rows); 2 a bad option, a field
used twice, a database with several tables and no --table, a population
table that cannot be loaded, or a file that cannot be read or written.
)";
}

}  // namespace kalderon::batch
