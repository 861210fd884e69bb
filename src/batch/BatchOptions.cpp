#include "batch/BatchOptions.h"

#include <algorithm>
#include <set>

#include "analysis/ChosenTimesText.h"
#include "analysis/RunAnalysis.h"
#include "analysis/PeriodOfInterest.h"
#include "charts/LifeTableChart.h"
#include "batch/AnalysisFileArguments.h"
#include "batch/BatchOptionTable.h"
#include "import/DatabaseImport.h"
#include "import/DatePattern.h"
#include "resources/StringTable.h"
#include "stats/GroupComparison.h"
#include "stats/SurvivalAtTimes.h"

namespace kalderon::batch {
namespace {

// Fills the field number or the positions and the pattern of one role.
// Returns the reason when the text does not fit.
std::string ApplyRole(const std::string& option, const RoleArgument& argument, const TextImportSettings& s,
                      std::int32_t& column, std::string& name, std::int32_t& from, std::int32_t& to,
                      std::string* pattern)
{
    const bool fixed = s.format == TextImportSettings::kFixedColumns;
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
        if (number) {
            column = *number;
        } else if (s.firstLineNames && !place.empty()) {
            name = place;
        } else {
            return option + " needs a field number (1, 2, ...)" + (s.firstLineNames ? " or name" : "") + ": " +
                   argument.text;
        }
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
    if (fixed && s.firstLineNames) return "--header applies to fields delimited by a separator, not to --fixed";
    if (fixed && s.guessSeparator) return "--separator auto does not apply to --fixed";

    std::string reason;
    const auto apply = [&](const char* option, const RoleArgument& argument, std::int32_t& column, std::string& name,
                           std::int32_t& from, std::int32_t& to, std::string* pattern) {
        if (reason.empty() && argument.given) reason = ApplyRole(option, argument, s, column, name, from, to, pattern);
    };
    apply("--begin", roles.begin, s.beginColumn, s.beginName, s.beginFrom, s.beginTo, &s.beginFormat);
    apply("--end", roles.end, s.endColumn, s.endName, s.endFrom, s.endTo, &s.endFormat);
    apply("--status", roles.status, s.statusColumn, s.statusName, s.statusFrom, s.statusTo, nullptr);
    apply("--group", roles.group, s.groupColumn, s.groupName, s.groupFrom, s.groupTo, nullptr);
    apply("--sex", roles.sex, s.sexColumn, s.sexName, s.sexFrom, s.sexTo, nullptr);
    apply("--birth", roles.birth, s.birthColumn, s.birthName, s.birthFrom, s.birthTo, &s.birthFormat);
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
    if (textOptionsGiven) return "--fixed, --separator, --header and --quotes apply to text files only";
    if (!d.table.empty() && IsDbaseFile(o.inputPath)) return "--table does not apply to a dBase file: the file is the table";
    d.begin = roles.begin.text, d.end = roles.end.text, d.status = roles.status.text;
    d.group = roles.group.text, d.sex = roles.sex.text, d.birth = roles.birth.text;
    if (d.listTables || d.listFields) return {};
    if (!roles.begin.given || !roles.end.given || !roles.status.given)
        return "a database file needs the field names of --begin, --end and --status";
    return {};
}

std::string CheckChartOutputs(const BatchOptions& o)
{
    if (o.chart.riskTable && !o.chart.drawn()) return "--risk-table needs --png or --svg";
    const bool productLimitChart = ChartKindOfAnalysis(o.analysis, o.periodTechnique) == kChartProductLimit ||
                                   o.analysis == kCoxRegression ||
                                   (o.analysis == kCumulativeIncidence && o.periodTechnique == kProductLimitTechnique);
    if (o.chart.riskTable && o.chart.openPath.empty() && !productLimitChart)
        return "--risk-table needs a product-limit chart (--analysis productlimit, or period with --technique "
               "productlimit)";
    if (o.chart.openPath.empty()) return {};
    if (!o.inputPath.empty()) return "--open-chart redraws a saved chart and reads no input file: " + o.inputPath;
    if (!o.chart.drawn()) return "--open-chart needs --png or --svg";
    if (!o.chart.chartPath.empty()) return "--open-chart does not write a chart file";
    return {};
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
    if (misplaced("--technique", {kPeriodAnalysis, kTrend, kCumulativeIncidence}))
        return "--technique needs --analysis period, trend or cuminc";
    if (misplaced("--competing", {kCumulativeIncidence})) return "--competing needs --analysis cuminc";
    for (const char* option : {"--covariates", "--factor", "--reference", "--strata", "--ties", "--curves-by", "--curve-values"})
        if (misplaced(option, {kCoxRegression})) return std::string(option) + " needs --analysis cox";
    if (o.analysis == kCoxRegression && !given.count("--covariates")) return "--analysis cox needs --covariates";
    for (const char* option : {"--years", "--width"})
        if (misplaced(option, {kTrend})) return std::string(option) + " needs --analysis trend";
    // The dates are compared as the period is used: widened to whole time units.
    if (PeriodBeginsAfterEnd(o.periodBegin, o.periodEnd, o.timeUnit)) return "--period-begin lies after --period-end";
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

// The survival at chosen times, the conditional survival and the restricted
// mean survival time.
std::string CheckSummaryOptions(const BatchOptions& o)
{
    const bool atOrConditional = o.survivalAt || o.conditionalFrom;
    if (!o.summaryCsvPath.empty() && !atOrConditional && !o.restrictedMean)
        return "--summary-csv needs --at, --conditional or --rmst";
    if (!o.conditionalPngPath.empty() && !o.conditionalFrom) return "--conditional-png needs --conditional";
    if (atOrConditional && !HasSurvivalAtTimes(o.analysis))
        return std::string(o.survivalAt ? "--at" : "--conditional") +
               " applies to --analysis lifetable, productlimit and period only";
    if (o.restrictedMean && o.analysis != kProductLimit) return "--rmst applies to --analysis productlimit only";
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
    if (given.count("--standardise-method") && !given.count("--standardise"))
        return "--standardise-method needs --standardise";
    if (given.count("--standardise") && !CanStandardise(o.analysis, o.periodTechnique, o.standardiseMethod))
        return o.standardiseMethod == StandardiseMethod::kBrenner
                   ? "--standardise-method brenner applies to --analysis lifetable, productlimit and period only"
                   : "--standardise applies to --analysis lifetable and to period with --technique lifetable only";
    if (o.crudeProbabilities && o.analysis != kLifeTable) return "--crude applies to --analysis lifetable only";
    if (o.crudeProbabilities && p.method != ExpectedSurvivalMethod::kEdererII) return "--crude needs --method ederer2";
    for (const char* option : {"--method", "--closing-date", "--standardise", "--crude"})
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

// Reads the roles of the case as the kind of input file wants them, then
// checks the options that depend on each other.
std::string CheckInput(OptionReading& reading, const std::set<std::string>& given)
{
    BatchOptions& o = reading.options;
    const RoleArguments& roles = reading.roles;
    const DatabaseInput& d = o.database;
    o.isDatabase = IsDatabaseFile(o.inputPath);
    std::string error;
    if (o.isDatabase)
        error = ApplyDatabaseRoles(roles, reading.textOptionsGiven, o);
    else if (!d.table.empty() || d.separateDates || d.listTables || d.listFields)
        error = "--table, --separate-dates, --list-tables and --list-fields apply to database files only";
    else
        error = ApplyRoles(roles, o.import);
    if (error.empty()) error = CheckAnalysisOptions(o, given);
    if (error.empty()) error = CheckCompareOptions(o, roles.group.given || o.regroups());
    if (error.empty()) error = CheckSummaryOptions(o);
    const bool listing = o.isDatabase && (d.listTables || d.listFields);
    if (error.empty() && !listing) error = CheckPopulationOptions(o, given, roles.sex.given && roles.birth.given);
    return error;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& commandLine)
{
    OptionReading reading;
    BatchOptions& o = reading.options;
    CommandLine result;
    const ExpandedArguments expanded = ExpandAnalysisFile(commandLine);
    result.error = expanded.error;
    const std::vector<std::string>& arguments = expanded.arguments;
    std::set<std::string> given;
    for (const Argument& argument : SplitArguments(arguments)) {
        if (!result.error.empty()) break;
        if (argument.name.empty()) {
            if (!o.inputPath.empty()) {
                result.error = "only one input file can be read: " + argument.text;
            } else {
                o.inputPath = argument.text;
            }
            continue;
        }
        const OptionDeclaration* option = FindOption(argument.name);
        if (!option || (!option->takesValue() && argument.value)) {
            result.error = "unknown option " + argument.text;
            continue;
        }
        given.insert(argument.name);
        if (option->takesValue() && !option->valueOptional && !argument.value) {
            result.error = argument.name + " needs a value";
            continue;
        }
        const std::string reason = option->apply(reading, argument.value.value_or(""));
        if (!reason.empty()) result.error = argument.name + " " + reason;
    }
    result.helpRequested = reading.helpRequested;
    if (!result.helpRequested) {
        if (result.error.empty()) result.error = CheckChartOutputs(o);
        if (result.error.empty() && o.inputPath.empty() && o.chart.openPath.empty())
            result.error = "no input file given";
        if (result.error.empty() && !o.inputPath.empty()) result.error = CheckInput(reading, given);
        if (result.error.empty() && !o.writeAnalysisPath.empty()) o.analysisToWrite = AnalysisOfArguments(arguments);
    }
    result.options = std::move(o);
    return result;
}

}  // namespace kalderon::batch
