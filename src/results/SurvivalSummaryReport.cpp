#include "results/SurvivalSummaryReport.h"

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "results/TimeUnitName.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

std::string Number(double value, const char* format = "%f") { return FormatText(format, value); }

std::string Optional(const std::optional<double>& value, const char* format = "%f")
{
    return value ? Number(*value, format) : std::string(text::kNotAvailable);
}

std::string PValue(double p) { return p < 0.0001 ? std::string(text::kSmallPValue) : Number(p, "%.4f"); }

std::string GroupName(const SurvivalAtTimes& table, const GroupCurveValues& group)
{
    return table.severalGroups ? group.code : std::string(text::kAllCases);
}

// The fields a row of the restricted mean begins with.
ExportRow Rmst(const RestrictedMeanSurvival& rmst, const std::string& code, const char* measure)
{
    ExportRow row;
    row.Text("rmst").Number("%.10g", rmst.tau).Text(code).Text(measure);
    return row;
}

// One table of curve values; `given` names the time survived to, empty for
// the survival at chosen times, and `offset` is subtracted from the times.
void WriteCurveValues(ComparisonTexts& out, ExportText& csv, const SurvivalAtTimes& table, const std::string& given,
                      double offset)
{
    out.report += table.netSurvival ? text::kNetAtTimesColumns
                  : table.relative  ? text::kRelativeAtTimesColumns
                                    : text::kObservedAtTimesColumns;
    const char* tableName = given.empty() ? "at" : "conditional";
    for (const GroupCurveValues& group : table.groups) {
        const std::string code = GroupName(table, group);
        for (size_t t = 0; t < table.times.size(); ++t) {
            const CurveValue& v = group.values[t];
            const std::string time = Number(table.times[t] - offset, "%g");
            const std::string atRisk = Optional(v.atRisk, "%.0f");
            std::string columns;
            ExportRow line;
            line.Text(tableName).Text(given).Text(code).Number("%g", table.times[t] - offset).Number("%.0f", v.atRisk);
            // The export has the relative columns always, empty without them.
            const auto add = [&](double value, bool known, bool shown) {
                const std::string cell = known ? Number(value) : std::string(text::kNotAvailable);
                if (shown) columns += FormatText("  %10s", cell);
                if (shown)
                    line.Number("%f", value, known);
                else
                    line.Text("");
            };
            const bool known = v.inFollowUp;
            const bool limits = known && v.hasStandardError;
            add(v.cumulativeSurvival, known, true);
            add(v.expectedSurvival, known, table.relative);
            add(v.relativeSurvival, known, table.relative);
            add(v.standardError, limits, true);
            add(v.lowerLimit, limits, true);
            add(v.upperLimit, limits, true);
            out.report += FormatText("%-20s  %9s  %8s", code, time, atRisk) + columns + "\r\n";
            csv.AppendTableRow(line);
        }
    }
}

void WriteAtTimes(ComparisonTexts& out, ExportText& csv, const SurvivalAtTimes& table, const std::string& ciLevelText)
{
    out.report += "\r\n\r\n";
    out.report += text::kSurvivalAtTimesHeading;
    out.report += FormatText(text::kSurvivalAtTimesTitle, TimeUnitName(table.timeUnit), ciLevelText);
    WriteCurveValues(out, csv, table, "", 0.0);
}

void WriteConditional(ComparisonTexts& out, ExportText& csv, const ConditionalSurvival& conditional,
                      const std::string& ciLevelText)
{
    const SurvivalAtTimes& table = conditional.afterFrom;
    out.report += "\r\n\r\n";
    out.report += text::kConditionalHeading;
    out.report += FormatText(text::kConditionalTitle, conditional.from, TimeUnitName(table.timeUnit),
                             TimeUnitName(table.timeUnit), ciLevelText);
    WriteCurveValues(out, csv, table, Number(conditional.from, "%g"), conditional.from);
}

void WriteRestrictedMean(ComparisonTexts& out, ExportText& csv, const RestrictedMeanSurvival& rmst,
                         const std::string& ciLevelText)
{
    out.report += "\r\n\r\n";
    out.report += text::kRestrictedMeanHeading;
    out.report += FormatText(text::kRestrictedMeanTitle, rmst.tau, TimeUnitName(rmst.timeUnit), ciLevelText);
    out.report += text::kRestrictedMeanColumns;
    for (const RestrictedMean& g : rmst.groups) {
        const std::string code = rmst.severalGroups ? g.code : std::string(text::kAllCases);
        out.report += FormatText("%-20s  %10f  %10f  %10f  %10f\r\n", code, g.mean, g.standardError, g.lower, g.upper);
        ExportRow line = Rmst(rmst, code, "mean");
        for (const double value : {g.mean, g.standardError, g.lower, g.upper}) line.Number("%f", value);
        csv.AppendTableRow(line.Text(""));
    }
    if (rmst.contrasts.empty()) return;
    out.report += "\r\n";
    out.report += FormatText(text::kRestrictedMeanContrastTitle, rmst.groups.front().code, ciLevelText);
    out.report += text::kRestrictedMeanContrastColumns;
    for (const RestrictedMeanContrast& c : rmst.contrasts) {
        out.report += FormatText("%-20s %-10s  %11f  %10f  %10f  %9s\r\n", c.code, text::kDifferenceName,
                                 c.difference, c.differenceLower, c.differenceUpper, PValue(c.differencePValue));
        out.report += FormatText("%-20s %-10s  %11s  %10s  %10s  %9s\r\n", c.code, text::kRatioName, Optional(c.ratio),
                                 Optional(c.ratioLower), Optional(c.ratioUpper),
                                 c.ratioPValue ? PValue(*c.ratioPValue) : std::string(text::kNotAvailable));
        using Value = std::optional<double>;
        const auto contrast = [&](const char* measure, Value value, Value lower, Value upper, Value p) {
            csv.AppendTableRow(Rmst(rmst, c.code, measure)
                                   .Number("%f", value)
                                   .Text("")
                                   .Number("%f", lower)
                                   .Number("%f", upper)
                                   .Number("%.10g", p));
        };
        contrast(text::kDifferenceName, c.difference, c.differenceLower, c.differenceUpper, c.differencePValue);
        contrast(text::kRatioName, c.ratio, c.ratioLower, c.ratioUpper, c.ratioPValue);
    }
}

}  // namespace

ComparisonTexts WriteSurvivalSummaries(const SurvivalSummaries& summaries, const std::string& ciLevelText)
{
    ComparisonTexts out;
    if (summaries.empty()) return out;
    ExportText csv;
    if (summaries.atTimes || summaries.conditional)
        csv.BeginTable(text::kWorkbookSurvivalAtTimes, text::kSurvivalAtTimesExportHeader);
    if (summaries.atTimes) WriteAtTimes(out, csv, *summaries.atTimes, ciLevelText);
    if (summaries.conditional) WriteConditional(out, csv, *summaries.conditional, ciLevelText);
    if (summaries.restrictedMean) {
        csv.BeginTable(text::kWorkbookRestrictedMean, text::kRestrictedMeanExportHeader);
        WriteRestrictedMean(out, csv, *summaries.restrictedMean, ciLevelText);
    }
    out.exportText = csv.Text();
    out.tables = csv.tables();
    return out;
}

}  // namespace kalderon
