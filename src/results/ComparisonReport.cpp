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

void WriteTest(ComparisonTexts& out, ExportText& csv, const GroupTest& test)
{
    const bool logRank = test.rho == 0.0;
    out.report += logRank ? text::kLogRankTitle : text::kPetoPetoTitle;
    out.report += text::kTestColumns;
    for (const GroupTestRow& row : test.groups) {
        out.report += FormatText(text::kTestRow, row.code, row.cases, row.observed, row.expected);
        csv.AppendTableRow(ExportRow()
                               .Text(logRank ? text::kLogRankName : text::kPetoPetoName)
                               .Text(row.code)
                               .Integer(row.cases)
                               .Number("%f", row.observed)
                               .Number("%f", row.expected)
                               .Number("%.10g", test.chiSquare, test.hasPValue())
                               .Integer(test.degreesOfFreedom)
                               .Number("%.10g", test.pValue, test.hasPValue()));
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

void WriteQuartiles(ComparisonTexts& out, ExportText& csv, const GroupComparison& comparison, const std::string& ciLevelText)
{
    static const char* const shares[] = {"25", "50", "75"};
    const char* format = comparison.timeUnit == kUnitDay ? "%.1f" : "%f";
    out.report += FormatText(text::kQuartileTitle, TimeUnitName(comparison.timeUnit), ciLevelText);
    out.report += text::kQuartileColumns;
    csv.BeginTable(text::kWorkbookQuartiles, text::kQuartileExportHeader);
    for (const GroupQuartiles& group : comparison.quartiles) {
        const std::string code = comparison.severalGroups ? group.code : text::kAllCases;
        for (size_t q = 0; q < group.quartiles.size(); ++q) {
            const SurvivalTimeEstimate& e = group.quartiles[q];
            const std::string time = TimeText(e.time, format);
            const std::string lower = TimeText(e.lower, format);
            const std::string upper = TimeText(e.upper, format);
            out.report += FormatText(text::kQuartileRow, code, text::kQuartileNames[q], time, lower, upper);
            csv.AppendTableRow(
                ExportRow().Text(code).Text(shares[q]).Number(format, e.time).Number(format, e.lower).Number(format, e.upper));
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
    ExportText csv;
    if (!comparison.tests.empty()) csv.BeginTable(text::kWorkbookTests, text::kTestExportHeader);
    for (const GroupTest& test : comparison.tests) WriteTest(out, csv, test);
    if (!comparison.quartiles.empty()) WriteQuartiles(out, csv, comparison, ciLevelText);
    out.exportText = csv.Text();
    out.tables = csv.tables();
    return out;
}

}  // namespace kalderon
