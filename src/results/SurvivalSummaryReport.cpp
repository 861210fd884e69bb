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

// One table of curve values; `given` names the time survived to, empty for
// the survival at chosen times, and `offset` is subtracted from the times.
void WriteCurveValues(ComparisonTexts& out, const SurvivalAtTimes& table, const std::string& given, double offset)
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
            std::string cells;  // the export has the relative columns always, empty without them
            const auto add = [&](double value, bool known, bool shown) {
                const std::string cell = known ? Number(value) : std::string(text::kNotAvailable);
                if (shown) columns += FormatText("  %10s", cell);
                cells += ";" + (shown ? cell : std::string());
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
            out.exportText += FormatText("%s;%s;%s;%s;%s", tableName, given, code, time, atRisk) + cells + "\n";
        }
    }
}

void WriteAtTimes(ComparisonTexts& out, const SurvivalAtTimes& table, const std::string& ciLevelText)
{
    out.report += "\r\n\r\n";
    out.report += text::kSurvivalAtTimesHeading;
    out.report += FormatText(text::kSurvivalAtTimesTitle, TimeUnitName(table.timeUnit), ciLevelText);
    WriteCurveValues(out, table, "", 0.0);
}

void WriteConditional(ComparisonTexts& out, const ConditionalSurvival& conditional, const std::string& ciLevelText)
{
    const SurvivalAtTimes& table = conditional.afterFrom;
    out.report += "\r\n\r\n";
    out.report += text::kConditionalHeading;
    out.report += FormatText(text::kConditionalTitle, conditional.from, TimeUnitName(table.timeUnit),
                             TimeUnitName(table.timeUnit), ciLevelText);
    WriteCurveValues(out, table, Number(conditional.from, "%g"), conditional.from);
}

void WriteRestrictedMean(ComparisonTexts& out, const RestrictedMeanSurvival& rmst, const std::string& ciLevelText)
{
    const std::string tau = Number(rmst.tau, "%.10g");
    out.report += "\r\n\r\n";
    out.report += text::kRestrictedMeanHeading;
    out.report += FormatText(text::kRestrictedMeanTitle, rmst.tau, TimeUnitName(rmst.timeUnit), ciLevelText);
    out.report += text::kRestrictedMeanColumns;
    for (const RestrictedMean& g : rmst.groups) {
        const std::string code = rmst.severalGroups ? g.code : std::string(text::kAllCases);
        out.report += FormatText("%-20s  %10f  %10f  %10f  %10f\r\n", code, g.mean, g.standardError, g.lower, g.upper);
        out.exportText +=
            FormatText("rmst;%s;%s;mean;%f;%f;%f;%f;\n", tau, code, g.mean, g.standardError, g.lower, g.upper);
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
        out.exportText += FormatText("rmst;%s;%s;%s;%f;;%f;%f;%s\n", tau, c.code, text::kDifferenceName, c.difference,
                                     c.differenceLower, c.differenceUpper, Number(c.differencePValue, "%.10g"));
        out.exportText += FormatText("rmst;%s;%s;%s;%s;;%s;%s;%s\n", tau, c.code, text::kRatioName, Optional(c.ratio),
                                     Optional(c.ratioLower), Optional(c.ratioUpper),
                                     c.ratioPValue ? Number(*c.ratioPValue, "%.10g") : std::string(text::kNotAvailable));
    }
}

}  // namespace

ComparisonTexts WriteSurvivalSummaries(const SurvivalSummaries& summaries, const std::string& ciLevelText)
{
    ComparisonTexts out;
    if (summaries.empty()) return out;
    if (summaries.atTimes || summaries.conditional) out.exportText += text::kSurvivalAtTimesExportHeader;
    if (summaries.atTimes) WriteAtTimes(out, *summaries.atTimes, ciLevelText);
    if (summaries.conditional) WriteConditional(out, *summaries.conditional, ciLevelText);
    if (summaries.restrictedMean) {
        out.exportText += text::kRestrictedMeanExportHeader;
        WriteRestrictedMean(out, *summaries.restrictedMean, ciLevelText);
    }
    return out;
}

}  // namespace kalderon
