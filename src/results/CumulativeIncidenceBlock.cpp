#include "common/TextFormat.h"
#include "results/ReportBlocks.h"
#include "results/TimeUnitName.h"
#include "stats/CauseTally.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

std::string EscapedForFormat(const std::string& text)
{
    std::string escaped;
    for (const char c : text) escaped += c == '%' ? "%%" : std::string(1, c);
    return escaped;
}

}  // namespace

// Per cause: its heading and table, a row per day with events of the cause
// (the time in the analysis unit) or per interval up to the first that
// nobody entered.
void WriteCumulativeIncidenceBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    const bool intervals = data.periodTechnique == kLifeTableTechnique;
    const bool days = data.timeUnit == kUnitDay;
    const double unitDays = UnitDays(data.timeUnit);
    const std::string timeColumn =
        intervals ? text::kIncidenceIntervalColumn : FormatText(text::kIncidenceTimeColumn, TimeUnitName(data.timeUnit));
    const PreparedFormat report(intervals ? "%12.0f  %7.0f  %7d  %-11.6f  %-8.6f   %-8.6f  %-8.6f\r\n"
                                : days    ? "%8.0f      %7.0f  %7d  %-11.6f  %-8.6f   %-8.6f  %-8.6f\r\n"
                                          : "%12.6f  %7.0f  %7d  %-11.6f  %-8.6f   %-8.6f  %-8.6f\r\n");
    const std::string exportColumns = intervals || days ? ";%.0f;%.0f;%d;%f;%f;%f;%f\n" : ";%f;%.0f;%d;%f;%f;%f;%f\n";
    out.ExportHeader(intervals ? text::kIncidenceIntervalExportHeader : text::kIncidenceExportHeader);
    for (const CIncidenceCurve& curve : group.incidence) {
        const std::string codes = CauseCodes(data, curve.cause);
        out.Append(FormatText(curve.cause == 1 ? text::kIncidenceOfEvent : text::kIncidenceOfCompeting, codes));
        out.Append(FormatText(text::kIncidenceLevelLine, data.ciLevelText));
        out.Append(FormatText(text::kIncidenceColumns, timeColumn));
        out.Append(text::kIncidenceRule);
        out.RestartRowCount();
        const PreparedFormat exportLine(EscapedForFormat(codes) + exportColumns);
        for (const CIncidenceRow& row : curve.rows) {
            if (intervals && row.atRisk < 1) break;
            const double time = intervals ? row.time : row.time / unitDays;
            out.TableRow(report, exportLine, time, row.atRisk, row.events, row.incidence, row.standardError,
                         row.lowerLimit, row.upperLimit);
        }
        out.Append("\r\n");
    }
}

}  // namespace kalderon
