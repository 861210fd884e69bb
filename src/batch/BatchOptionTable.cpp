#include "batch/BatchOptionTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <utility>

#include "analysis/CaseGrouping.h"
#include "analysis/ChosenTimesText.h"
#include "analysis/CompetingCodes.h"
#include "analysis/OptionValueNames.h"
#include "import/DatePattern.h"

namespace kalderon::batch {
namespace {

using Apply = std::function<std::string(OptionReading&, const std::string& value)>;

template <typename Field>
using FieldOf = Field& (*)(BatchOptions&);

OptionDeclaration Switch(std::string name, std::string help, void (*set)(OptionReading&))
{
    return {std::move(name), {}, std::move(help), [set](OptionReading& reading, const std::string&) {
                set(reading);
                return std::string();
            }};
}

// An option that takes one of a list of names; the names in their order are
// its argument in --help, and in alphabetical order the message when the
// value is none of them.
template <typename Field>
OptionDeclaration OneOf(std::string name, std::vector<std::pair<std::string, Field>> choices, std::string help,
                        FieldOf<Field> field);

template <class Field, size_t N>
OptionDeclaration OneOf(std::string name, const NamedValue<Field> (&named)[N], std::string help, FieldOf<Field> field)
{
    std::vector<std::pair<std::string, Field>> choices;
    for (const auto& [word, value] : named) choices.emplace_back(word, value);
    return OneOf<Field>(std::move(name), std::move(choices), std::move(help), std::move(field));
}

template <class Field>
OptionDeclaration OneOf(std::string name, std::vector<std::pair<std::string, Field>> choices, std::string help,
                        FieldOf<Field> field)
{
    std::string argument;
    std::vector<std::string> names;
    for (const auto& [choice, code] : choices) {
        argument += (argument.empty() ? "" : "|") + choice;
        names.push_back(choice);
    }
    std::sort(names.begin(), names.end());
    std::string listed;
    for (const std::string& choice : names) listed += (listed.empty() ? "" : ", ") + choice;
    Apply apply = [choices = std::move(choices), field, listed](OptionReading& reading, const std::string& value) {
        const auto found = std::find_if(choices.begin(), choices.end(), [&](const auto& c) { return c.first == value; });
        if (found == choices.end()) return "takes one of " + listed + ": " + value;
        field(reading.options) = found->second;
        return std::string();
    };
    return {std::move(name), std::move(argument), std::move(help), std::move(apply)};
}

// A text that must not be empty; `what` names it in the message ("a table
// name").
OptionDeclaration Named(std::string name, std::string argument, std::string help, const char* what,
                        FieldOf<std::string> field)
{
    Apply apply = [what, field](OptionReading& reading, const std::string& value) {
        field(reading.options) = value;
        return value.empty() ? "needs " + std::string(what) : std::string();
    };
    return {std::move(name), std::move(argument), std::move(help), std::move(apply)};
}

OptionDeclaration FileName(std::string name, std::string argument, std::string help, FieldOf<std::string> field)
{
    return Named(std::move(name), std::move(argument), std::move(help), "a file name", field);
}

// Where a role of the case stands; read once every option is known.
OptionDeclaration Role(std::string name, std::string argument, std::string help,
                       RoleArgument& (*role)(RoleArguments&))
{
    Apply apply = [role](OptionReading& reading, const std::string& value) {
        role(reading.roles) = {value, true};
        return std::string();
    };
    return {std::move(name), std::move(argument), std::move(help), std::move(apply)};
}

OptionDeclaration Date(std::string name, std::string help, FieldOf<DateValue> field)
{
    Apply apply = [field](OptionReading& reading, const std::string& value) {
        const auto digitOrPoint = [](char c) { return c == '.' || std::isdigit(static_cast<unsigned char>(c)); };
        const bool shaped = value.size() == 10 && value[2] == '.' && value[5] == '.' &&
                            std::all_of(value.begin(), value.end(), digitOrPoint);
        DateValue& date = field(reading.options);
        date = shaped ? ParseDatePattern(value, "DD.MM.YYYY") : DateValue::Invalid();
        return date.isValid() ? std::string() : "needs a date DD.MM.YYYY: " + value;
    };
    return {std::move(name), "DD.MM.YYYY", std::move(help), std::move(apply)};
}

// A whole number of at least 1.
OptionDeclaration Count(std::string name, std::string help, FieldOf<std::int32_t> field)
{
    Apply apply = [field](OptionReading& reading, const std::string& value) {
        const auto count = PositiveNumber(value);
        if (!count) return "needs a whole number of at least 1: " + value;
        field(reading.options) = *count;
        return std::string();
    };
    return {std::move(name), "N", std::move(help), std::move(apply)};
}

std::string ReadSeparator(OptionReading& reading, const std::string& value)
{
    reading.textOptionsGiven = true;
    std::string& separator = reading.options.import.separator;
    reading.options.import.guessSeparator = value == "auto";
    if (value == "auto") return {};
    for (const auto& [name, character] : kSeparatorNames) {
        if (value != name) continue;
        separator.assign(1, character);
        return {};
    }
    if (value.size() != 1) {
        std::string names;
        for (const auto& [name, character] : kSeparatorNames) names += (names.empty() ? "" : ", ") + std::string(name);
        return "takes one character, " + names + " or auto: " + value;
    }
    separator = value;
    return {};
}

// "WxH" in pixels.
std::string ReadImageSize(OptionReading& reading, const std::string& value)
{
    constexpr int kLargest = 20000;
    const size_t x = value.find('x');
    const auto w = PositiveNumber(value.substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : PositiveNumber(value.substr(x + 1));
    if (!w || !h || *w > kLargest || *h > kLargest)
        return "needs WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kLargest) + ": " + value;
    reading.options.chart.width = *w;
    reading.options.chart.height = *h;
    return {};
}

// One field is the grouping variable of the import; two, separated by a
// comma, are crossed once the cases are read.
std::string ReadGroup(OptionReading& reading, const std::string& value)
{
    const size_t comma = value.find(',');
    if (comma == std::string::npos) {
        reading.roles.group = {value, true};
        return {};
    }
    std::vector<std::string>& fields = reading.options.crossedGroupFields;
    fields = {value.substr(0, comma), value.substr(comma + 1)};
    if (fields[0].empty() || fields[1].empty() || fields[1].find(',') != std::string::npos)
        return "takes one field or two separated by a comma: " + value;
    reading.roles.group = {};
    return {};
}

// Cut points of bands, read by `read` (analysis/CaseGrouping).
Apply Cuts(Refusal (*read)(std::string_view, std::vector<int>&), std::vector<int>& (*field)(BatchOptions&))
{
    return [read, field](OptionReading& reading, const std::string& value) {
        const Refusal refusal = read(value, field(reading.options));
        return refusal ? *refusal : std::string();
    };
}

Apply SexCode(bool female)
{
    return [female](OptionReading& reading, const std::string& value) {
        reading.options.population.sexCode = value;
        reading.options.population.sexCodeIsFemale = female;
        return std::string();
    };
}

std::vector<OptionGroup> DeclareOptions()
{
    std::vector<OptionGroup> groups;
    groups.push_back({"Reading the file",
                      {
                          Switch("--fixed", "fields stand in fixed character columns\n"
                                            "(default: fields delimited by a separator)",
                                 [](OptionReading& r) {
                                     r.textOptionsGiven = true;
                                     r.options.import.format = TextImportSettings::kFixedColumns;
                                 }),
                          {"--separator", "C", "separator character, or semicolon, comma, space,\ntab (default \";\"); "
                                               "auto: the one of \";\", \",\",\ntab and \"|\" that cuts the first "
                                               "lines evenly",
                           ReadSeparator},
                          Switch("--header", "the first line names the fields (it is no case),\nwhich --begin ... "
                                             "--birth may then name;\nimplies --quotes",
                                 [](OptionReading& r) {
                                     r.textOptionsGiven = true;
                                     r.options.import.firstLineNames = true;
                                     r.options.import.quotedFields = true;
                                 }),
                          Switch("--quotes", "a field in double quotes may hold the separator;\ntwo double quotes "
                                             "inside stand for one",
                                 [](OptionReading& r) {
                                     r.textOptionsGiven = true;
                                     r.options.import.quotedFields = true;
                                 }),
                          Role("--begin", "N[:PATTERN]", "date of beginning of follow-up (default 1)",
                               [](RoleArguments& r) -> RoleArgument& { return r.begin; }),
                          Role("--end", "N[:PATTERN]", "date of end of follow-up (default 2)",
                               [](RoleArguments& r) -> RoleArgument& { return r.end; }),
                          Role("--status", "N", "vital status (default 3)",
                               [](RoleArguments& r) -> RoleArgument& { return r.status; }),
                          {"--group", "N[,N]", "grouping variable (default: none); two fields:\nthe groups of both crossed", ReadGroup},
                          Role("--sex", "N", "gender (default: none)",
                               [](RoleArguments& r) -> RoleArgument& { return r.sex; }),
                          Role("--birth", "N[:PATTERN]", "date of birth (default: none)",
                               [](RoleArguments& r) -> RoleArgument& { return r.birth; }),
                      },
                      "                           N is a field number (1, 2, ...), with --header\n"
                      "                           also a field name; with --fixed it is a range of\n"
                      "                           character positions FROM-TO, and --begin, --end\n"
                      "                           and --status must be given.\n"
                      "                           PATTERN locates day, month and year, for example\n"
                      "                           DD.MM.YYYY (default), DDMMYYYY, DD/MM/YYYY,\n"
                      "                           MMDDYYYY, YYYYMMDD, YYYY-MM-DD; it must hold MM\n"
                      "                           and YYYY.\n"});
    groups.push_back(
        {"Selecting and grouping the cases",
         {
             {"--where", "CONDITION",
              "analyse only the cases that meet it (repeatable,\nall must hold): FIELD=V1,V2,... (one of),\n"
              "FIELD!=V1,... (none of), FIELD=FROM..TO (numbers,\nor dates DD.MM.YYYY; FROM.. and ..TO open),\n"
              "FIELD= (empty)",
              [](OptionReading& r, const std::string& value) {
                  r.options.conditions.push_back(value);
                  return std::string();
              }},
             {"--age-groups", "icss|C1,C2,...",
              "group by the age at the beginning of follow-up:\nthe ICSS bands 15-44, 45-54, 55-64, 65-74, 75+\n"
              "(0-14 where present), or bands from these ages",
              Cuts(ReadAgeCuts, [](BatchOptions& o) -> std::vector<int>& { return o.ageCuts; })},
             {"--begin-year-groups", "Y1,Y2,...",
              "group by the calendar period of the beginning of\nfollow-up, periods from these years",
              Cuts(ReadYearCuts, [](BatchOptions& o) -> std::vector<int>& { return o.beginYearCuts; })},
             {"--group-by", "KEY",
              "group by these keys in the order given (repeatable,\nat most two, crossed), in place of the three\n"
              "above: FIELD, age-groups=icss|C1,C2,...,\nbegin-year-groups=Y1,Y2,... or file-groups (the\n"
              "groups of --group)",
              [](OptionReading& r, const std::string& value) {
                  r.options.groupKeys.push_back(value);
                  return std::string();
              }},
         },
         "                           FIELD is a field name or number, age (at the\n"
         "                           beginning of follow-up) or begin-year. --group\n"
         "                           N,M, --age-groups and --begin-year-groups replace\n"
         "                           the grouping variable; two of them are crossed.\n"});
    groups.push_back(
        {"Reading a database file (.mdb .xls .xlsx .ods .dbf .dta .sav .zsav .por .sas7bdat .xpt)",
         {
             Named("--table", "NAME",
                   "the table (default: the only table; a sheet of\na workbook is named with a trailing \"$\"); a\n"
                   "dBase file or a Stata, SPSS or SAS file is its\nown table",
                   "a table name", [](BatchOptions& o) -> std::string& { return o.database.table; }),
             Switch("--separate-dates",
                    "each date stands in three fields: --begin,\n--end and --birth take DAY,MONTH,YEAR field\n"
                    "names, \"-\" as DAY for none (the 15th)",
                    [](OptionReading& r) { r.options.database.separateDates = true; }),
             Switch("--list-tables", "print the table names and stop",
                    [](OptionReading& r) { r.options.database.listTables = true; }),
             Switch("--list-fields", "print the field names of the table and stop",
                    [](OptionReading& r) { r.options.database.listFields = true; }),
         },
         "  --begin, --end, --status, --group, --sex, --birth NAME\n"
         "                           field names; --begin, --end and --status must\n"
         "                           be given\n"});
    groups.push_back(
        {"Analysis",
         {
             OneOf<AnalysisKind>("--analysis",
                                 kAnalysisNames,
                                 "life table (Cutler-Ederer, the default),\nproduct-limit (Kaplan-Meier), period "
                                 "analysis,\ntrend in n-year survival by starting year of\nperiod, SMR/SIR "
                                 "(standardized mortality or\nincidence ratios with Byar limits; no chart),\n"
                                 "cumulative incidence with competing risks, or\nCox proportional hazards regression",
                                 [](BatchOptions& o) -> AnalysisKind& { return o.analysis; }),
             OneOf<PeriodTechnique>("--technique",
                                    kTechniqueNames,
                                    "technique of the period analysis and the trend\n(default lifetable); with "
                                    "cuminc: the incidence at\nthe ends of the intervals (lifetable) or at the\n"
                                    "days of the events (productlimit)",
                                    [](BatchOptions& o) -> PeriodTechnique& { return o.periodTechnique; }),
             Date("--period-begin", "", [](BatchOptions& o) -> DateValue& { return o.periodBegin; }),
             Date("--period-end",
                  "period of interest of the period analysis, widened\nto whole time units and kept inside the "
                  "observation\nperiod (default: the whole observation period)",
                  [](BatchOptions& o) -> DateValue& { return o.periodEnd; }),
             Count("--years", "n of the n-year survival of the trend (default 5)",
                   [](BatchOptions& o) -> std::int32_t& { return o.survivalYears; }),
             Count("--width", "width of the period of the trend in years\n(default 5); the trend needs --unit year",
                   [](BatchOptions& o) -> std::int32_t& { return o.periodWidth; }),
             {"--event", "CODE", "status code of the event (death); default: \"1\"\nwhen the status codes are \"0\" and \"1\", else the\nfirst status code of the valid cases",
              [](OptionReading& r, const std::string& value) {
                  r.options.eventCode = value;
                  return std::string();
              }},
             {"--competing", "CODE[,CODE]",
              "cuminc: status codes of the competing events, a\ncause each (--event may name several codes of\n"
              "the event of interest); other codes are censored",
              [](OptionReading& r, const std::string& value) {
                  r.options.competingCodes = value;
                  return value.empty() ? "needs a status code" : std::string();
              }},
             OneOf<TimeUnitCode>("--unit",
                                 kUnitNames,
                                 "time interval (default year)",
                                 [](BatchOptions& o) -> TimeUnitCode& { return o.timeUnit; }),
             OneOf<std::string>("--ci", std::vector<std::pair<std::string, std::string>>{{".95", ".95"}, {".99", ".99"}},
                                "confidence level (default .95)",
                                [](BatchOptions& o) -> std::string& { return o.ciLevelText; }),
             Switch("--stratified", "one table per group", [](OptionReading& r) { r.options.stratified = true; }),
             Switch("--no-stratified", "one table for all cases\n(default: stratified when --group is given)",
                    [](OptionReading& r) { r.options.stratified = false; }),
             Switch("--compare",
                    "add the comparison of groups to the report of a\nstratified life table or product-limit: the\n"
                    "log-rank and Peto-Peto tests and, for the\nproduct-limit, the median and quartiles of\n"
                    "survival time with their confidence limits",
                    [](OptionReading& r) { r.options.compare = true; }),
             {"--at", "T1,T2,...",
              "life table, product-limit and period analysis:\nadd the survival of every group at these times\n"
              "(in the time unit; a life table's times end\nintervals) with its confidence limits",
              [](OptionReading& r, const std::string& value) {
                  r.options.survivalAt = ParseTimeList(value);
                  return r.options.survivalAt ? std::string() : "needs times separated by commas: " + value;
              }},
             {"--conditional", "X",
              "add the survival given survival to X, at X plus\nthe times of --at (default 1, 3, 5, 10 years in\n"
              "the unit)",
              [](OptionReading& r, const std::string& value) {
                  r.options.conditionalFrom = ParseTimeText(value);
                  return r.options.conditionalFrom ? std::string() : "needs a time: " + value;
              }},
             {"--rmst", "[TAU]",
              "product-limit: add the restricted mean survival\ntime up to TAU (default: the last time at which\n"
              "every group has cases at risk), and the\ndifference and ratio against the first group",
              [](OptionReading& r, const std::string& value) {
                  r.options.restrictedMean = true;
                  if (value.empty()) return std::string();
                  r.options.restrictionTime = ParseTimeText(value);
                  return r.options.restrictionTime ? std::string() : "needs a time: " + value;
              },
              true},
         },
         ""});
    groups.push_back(
        {"Cox regression (--analysis cox)",
         {
             {"--covariates", "F1,F2,...",
              "the covariates: fields by name or number, age,\nbegin-year; a field whose values all read as\n"
              "numbers is a number, any other a factor",
              [](OptionReading& r, const std::string& value) {
                  r.options.coxCovariates = value;
                  return value.empty() ? "needs a field" : std::string();
              }},
             {"--factor", "F,...", "covariates taken as factors though they read as\nnumbers",
              [](OptionReading& r, const std::string& value) {
                  r.options.coxFactors = value;
                  return std::string();
              }},
             {"--reference", "F=LEVEL",
              "the reference level of a factor (repeatable;\ndefault: its first level in the group order)",
              [](OptionReading& r, const std::string& value) {
                  r.options.coxReferences.push_back(value);
                  return value.find('=') == std::string::npos ? "needs FIELD=LEVEL: " + value : std::string();
              }},
             {"--strata", "F[,F]", "strata, each with its own baseline hazard\n(several fields: crossed)",
              [](OptionReading& r, const std::string& value) {
                  r.options.coxStrata = value;
                  return value.empty() ? "needs a field" : std::string();
              }},
             OneOf<CoxTies>("--ties", kTiesNames,
                            "handling of tied event times (default efron)",
                            [](BatchOptions& o) -> CoxTies& { return o.coxTies; }),
             {"--curves-by", "F",
              "draw the model's survival curves for each level\nof this factor or of the strata, the other\n"
              "covariates at their means (default: one curve\nat the means per stratum)",
              [](OptionReading& r, const std::string& value) {
                  r.options.coxCurvesBy = value;
                  return value.empty() ? "needs a field" : std::string();
              }},
             {"--curve-values", "F=V[,F=V...]",
              "the curves with these covariates at these values\n(a number, or a level of a factor) instead of\n"
              "their means",
              [](OptionReading& r, const std::string& value) {
                  r.options.coxCurveValues = value;
                  for (const std::string& given : SplitCodes(value))
                      if (given.find('=') == std::string::npos) return "needs FIELD=VALUE: " + given;
                  return value.empty() ? "needs FIELD=VALUE" : std::string();
              }},
         },
         ""});
    groups.push_back(
        {"Relative survival and SMR/SIR (both need --sex and --birth)",
         {
             Switch("--relative", "add relative survival to a survival analysis",
                    [](OptionReading& r) { r.options.population.relativeSurvival = true; }),
             OneOf<ExpectedSurvivalMethod>(
                 "--method",
                 kMethodNames,
                 "expected survival after Ederer II (default) or\nHakulinen, or net survival after Pohar-Perme (with\n"
                 "the expected survival after Ederer II beside it)",
                 [](BatchOptions& o) -> ExpectedSurvivalMethod& { return o.population.method; }),
             Switch("--net-survival-raw",
                    "show the net survival (--method pohar-perme,\n--standardise) also where it is unstable (else NA\nthere)",
                    [](OptionReading& r) { r.options.population.netSurvivalRaw = true; }),
             OneOf<IcssStandard>("--standardise", kStandardNames,
                                 "life table and period analysis with the life\ntable technique: add observed, "
                                 "relative and net\nsurvival standardised over the ICSS age groups",
                                 [](BatchOptions& o) -> IcssStandard& { return o.standardise; }),
             Switch("--crude",
                    "life table with relative survival after Ederer II:\nadd the cumulative crude probabilities of death\n"
                    "from the disease and from other causes",
                    [](OptionReading& r) { r.options.crudeProbabilities = true; }),
             OneOf<StandardiseMethod>("--standardise-method",
                                      kStandardiseMethodNames,
                                      "with --standardise: each age group's estimate\nweighted (traditional, default), "
                                      "or Brenner's\nindividual weights, also for the product-limit\nand the period "
                                      "analysis with either technique",
                                      [](BatchOptions& o) -> StandardiseMethod& { return o.standardiseMethod; }),
             Date("--closing-date",
                  "common closing date of the Hakulinen method for\nthe life table and product-limit (default: the\n"
                  "last end of follow-up)",
                  [](BatchOptions& o) -> DateValue& { return o.population.closingDate; }),
             FileName("--population-db", "PATH",
                      "database of population tables (default:\nLifeTables.mdb, for SMR/SIR\n"
                      "ReferenceRateTables.mdb, looked for in the\nworking directory, then in ../data next to the\n"
                      "program, then in the source tree's data folder)",
                      [](BatchOptions& o) -> std::string& { return o.population.databasePath; }),
             Named("--population-table", "NAME", "the table (default: the first one listed)", "a table name",
                   [](BatchOptions& o) -> std::string& { return o.population.tableName; }),
             {"--male", "CODE", "", SexCode(false)},
             {"--female", "CODE",
              "the sex code of males or of females (default:\n\"1\" as male when the sex codes are \"1\" and \"2\",\nelse the first sex code of the cases); with a\n"
              "single sex code, --female counts every case as\nfemale",
              SexCode(true)},
         },
         ""});
    groups.push_back(
        {"Analysis files",
         {
             FileName("--analysis-file", "FILE",
                      "run the analysis kept in FILE (JSON): its data\nfile, unless one is given, with its options;\n"
                      "options given beside it replace its own",
                      [](BatchOptions& o) -> std::string& { return o.analysisFilePath; }),
             FileName("--write-analysis-file", "FILE",
                      "write the input file and the options given (but\nthe output options) into the analysis file "
                      "FILE,\nthen run the analysis",
                      [](BatchOptions& o) -> std::string& { return o.writeAnalysisPath; }),
         },
         ""});
    groups.push_back(
        {kOutputOptionsTitle,
         {
             FileName("--report", "FILE", "write the report to FILE (default: standard output)",
                      [](BatchOptions& o) -> std::string& { return o.reportPath; }),
             FileName("--csv", "FILE", "write the semicolon-separated export to FILE\n(lines end in CR LF)",
                      [](BatchOptions& o) -> std::string& { return o.csvPath; }),
             FileName("--xlsx", "FILE",
                      "write the results as an .xlsx workbook to FILE:\na sheet of the header facts, then a sheet per "
                      "table",
                      [](BatchOptions& o) -> std::string& { return o.xlsxPath; }),
             FileName("--compare-csv", "FILE",
                      "with --compare, write the semicolon-separated\nexport of the comparison to FILE (lines end "
                      "in\nCR LF)",
                      [](BatchOptions& o) -> std::string& { return o.compareCsvPath; }),
             FileName("--summary-csv", "FILE",
                      "with --at, --conditional or --rmst, write their\nsemicolon-separated export to FILE (lines "
                      "end in\nCR LF)",
                      [](BatchOptions& o) -> std::string& { return o.summaryCsvPath; }),
             FileName("--conditional-png", "FILE",
                      "with --conditional, draw the conditional curves,\n1 up to X, as a PNG picture (of --size)",
                      [](BatchOptions& o) -> std::string& { return o.conditionalPngPath; }),
             FileName("--chart", "FILE.cht", "write the chart file of the analysis",
                      [](BatchOptions& o) -> std::string& { return o.chart.chartPath; }),
             FileName("--png", "FILE", "", [](BatchOptions& o) -> std::string& { return o.chart.pngPath; }),
             FileName("--svg", "FILE", "draw the chart as a PNG or SVG picture",
                      [](BatchOptions& o) -> std::string& { return o.chart.svgPath; }),
             Switch("--risk-table", "show the numbers at risk under the time axis of\na product-limit chart's pictures",
                    [](OptionReading& r) { r.options.chart.riskTable = true; }),
             {"--size", "WxH", "size of the pictures in pixels (default 800x600)", ReadImageSize},
             FileName("--open-chart", "FILE.cht",
                      "draw a saved chart (with --png or --svg) instead\nof reading an input file",
                      [](BatchOptions& o) -> std::string& { return o.chart.openPath; }),
             Switch("-h", "", [](OptionReading& r) { r.helpRequested = true; }),
             Switch("--help", "show this text", [](OptionReading& r) { r.helpRequested = true; }),
         },
         ""});
    return groups;
}

constexpr std::string_view kUsageHead = R"(Usage: kalderon-batch INPUT [options]
       kalderon-batch --open-chart FILE.cht --png OUT.png [--svg OUT.svg] [--size WxH]

Reads a text file of cases (one case per line), or a table of an Access
(.mdb), Excel (.xls, .xlsx), OpenDocument (.ods) or dBase (.dbf) file or a
Stata (.dta), SPSS (.sav, .zsav, .por) or SAS (.sas7bdat, .xpt) data file,
and writes the report of a survival analysis.
)";

constexpr std::string_view kExitStatus = R"(
Exit status: 0 success; 1 the analysis cannot run (for example no valid
case, or a population table without usable rows); 2 a bad option, a field
used twice, a database with several tables and no --table, a population
table that cannot be loaded, or a file that cannot be read or written.
)";

// The options with their texts: the names and arguments of the options
// shown together, then the text from column 28 on, on the same line when
// the names leave room.
std::string OptionLines(const std::vector<OptionDeclaration>& options)
{
    constexpr size_t kTextColumn = 27;
    const std::string indent(kTextColumn, ' ');
    std::string lines;
    std::string names;
    for (const OptionDeclaration& option : options) {
        if (!names.empty()) names += ", ";
        names += option.takesValue() ? option.name + " " + option.argument : option.name;
        if (option.help.empty()) continue;
        lines += "  " + names;
        lines += 2 + names.size() + 2 <= kTextColumn ? std::string(kTextColumn - 2 - names.size(), ' ')
                                                      : "\n" + indent;
        for (const char c : option.help) lines += c == '\n' ? "\n" + indent : std::string(1, c);
        lines += "\n";
        names.clear();
    }
    return lines;
}

}  // namespace

std::optional<std::int32_t> PositiveNumber(const std::string& text)
{
    std::int32_t value = 0;
    const auto [rest, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (code != std::errc() || rest != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

const std::vector<OptionGroup>& BatchOptionGroups()
{
    static const std::vector<OptionGroup> groups = DeclareOptions();
    return groups;
}

const OptionDeclaration* FindOption(std::string_view name)
{
    static const std::map<std::string_view, const OptionDeclaration*> byName = [] {
        std::map<std::string_view, const OptionDeclaration*> options;
        for (const OptionGroup& group : BatchOptionGroups())
            for (const OptionDeclaration& option : group.options) options.emplace(option.name, &option);
        return options;
    }();
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

std::vector<Argument> SplitArguments(const std::vector<std::string>& arguments)
{
    std::vector<Argument> read;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            read.push_back({"", argument, argument});
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionDeclaration* option = FindOption(name);
        std::optional<std::string> value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (option && option->valueOptional && i + 1 < arguments.size() && ParseTimeText(arguments[i + 1]))
            value = arguments[++i];
        else if (option && option->takesValue() && !option->valueOptional && i + 1 < arguments.size())
            value = arguments[++i];
        read.push_back({name, value, argument});
    }
    return read;
}

const std::string& UsageText()
{
    static const std::string text = [] {
        std::string usage(kUsageHead);
        for (const OptionGroup& group : BatchOptionGroups())
            usage += "\n" + group.title + ":\n" + OptionLines(group.options) + group.note;
        return usage + std::string(kExitStatus);
    }();
    return text;
}

}  // namespace kalderon::batch
