#include "results/ComparisonReport.h"

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "results/TimeUnitName.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

std::string ReportPValue(const GroupTest& test)
{
    return test.pValue < 0.0001 ? std::string(text::kSmallPValue) : FormatText("%.4f", test.pValue);
}

void WriteTest(ComparisonTexts& out, const GroupTest& test)
{
    const bool logRank = test.rho == 0.0;
    out.report += logRank ? text::kLogRankTitle : text::kPetoPetoTitle;
    out.report += text::kTestColumns;
    const std::string chiSquare = test.hasPValue() ? FormatText("%.10g", test.chiSquare) : "NA";
    const std::string pValue = test.hasPValue() ? FormatText("%.10g", test.pValue) : "NA";
    for (const GroupTestRow& row : test.groups) {
        out.report += FormatText(text::kTestRow, row.code, row.cases, row.observed, row.expected);
        out.exportText += FormatText("%s;%s;%d;%f;%f;%s;%d;%s\n", logRank ? text::kLogRankName : text::kPetoPetoName, row.code,
                                     row.cases, row.observed, row.expected, chiSquare, test.degreesOfFreedom, pValue);
    }
    out.report += test.hasPValue()
                      ? FormatText(text::kTestResult, test.chiSquare, test.degreesOfFreedom, ReportPValue(test))
                      : std::string(text::kNoTestResult);
    out.report += "\r\n";
}

std::string TimeText(const std::optional<double>& time, const char* format)
{
    return time ? FormatText(format, *time) : std::string("NA");
}

void WriteQuartiles(ComparisonTexts& out, const GroupComparison& comparison, const std::string& ciLevelText)
{
    static const char* const shares[] = {"25", "50", "75"};
    const char* format = comparison.timeUnit == kUnitDay ? "%.1f" : "%f";
    out.report += FormatText(text::kQuartileTitle, TimeUnitName(comparison.timeUnit), ciLevelText);
    out.report += text::kQuartileColumns;
    out.exportText += text::kQuartileExportHeader;
    for (const GroupQuartiles& group : comparison.quartiles) {
        const std::string code = comparison.severalGroups ? group.code : text::kAllCases;
        for (size_t q = 0; q < group.quartiles.size(); ++q) {
            const SurvivalTimeEstimate& e = group.quartiles[q];
            const std::string time = TimeText(e.time, format);
            const std::string lower = TimeText(e.lower, format);
            const std::string upper = TimeText(e.upper, format);
            out.report += FormatText(text::kQuartileRow, code, text::kQuartileNames[q], time, lower, upper);
            out.exportText += FormatText("%s;%s;%s;%s;%s\n", code, shares[q], time, lower, upper);
        }
    }
}

}  // namespace

ComparisonTexts WriteComparisonSection(const GroupComparison& comparison, const std::string& ciLevelText)
{
    ComparisonTexts out;
    if (comparison.tests.empty() && comparison.quartiles.empty()) return out;
    out.report = "\r\n\r\n";
    out.report += text::kComparisonHeading;
    if (!comparison.tests.empty()) out.exportText += text::kTestExportHeader;
    for (const GroupTest& test : comparison.tests) WriteTest(out, test);
    if (!comparison.quartiles.empty()) WriteQuartiles(out, comparison, ciLevelText);
    return out;
}

}  // namespace kalderon
