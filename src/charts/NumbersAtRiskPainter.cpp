#include <algorithm>

#include "charts/AxisTicks.h"
#include "charts/ChartDrawContext.h"
#include "stats/NumbersAtRisk.h"

namespace kalderon {
namespace {

// A cumulative incidence series has a row at every day a case ended, with
// the cases at risk that day: at time t those of the first row at or after t.
std::vector<std::int64_t> AtRiskOfRows(const std::vector<CTimePointResult>& rows, const std::vector<double>& times,
                                       double unitDays)
{
    std::vector<std::int64_t> numbers;
    size_t r = 0;
    for (const double t : times) {
        while (r < rows.size() && rows[r].survivalDays / unitDays < t) ++r;
        numbers.push_back(r < rows.size() ? static_cast<std::int64_t>(rows[r].atRisk) : 0);
    }
    return numbers;
}

}  // namespace

NumbersAtRiskTable MakeNumbersAtRiskTable(const LifeTableChart& chart)
{
    NumbersAtRiskTable table;
    if (!chart.showNumbersAtRisk || !chart.IsProductLimit()) return table;
    table.ticks = LabelledTickValues(chart.timeAxis);
    const double unitDays = ProductLimitUnitDays(chart.analysis.timeUnit);
    for (int i = 0; i < chart.DrawableSeriesCount(); ++i) {
        const CSeriesStyle& style = chart.seriesStyles[i];
        if (!style.showSeries) continue;
        NumbersAtRiskTable::Row row{style.survivalLine.lineColor, {}};
        const std::vector<CTimePointResult>& rows = chart.analysis.groupResults[i].timePoints;
        for (std::int64_t n : chart.RisesFromZero() ? AtRiskOfRows(rows, table.ticks, unitDays)
                                                    : NumbersAtRisk(rows, table.ticks, unitDays))
            row.numbers.push_back(std::to_string(n));
        table.rows.push_back(std::move(row));
    }
    return table;
}

ChartSize NumbersAtRiskSize(const ChartDrawContext& ctx, const NumbersAtRiskTable& table)
{
    if (table.rows.empty()) return {};
    ctx.SelectFont(ctx.chart.timeAxis.numberFont);
    int widest = 0;
    for (const NumbersAtRiskTable::Row& row : table.rows)
        for (const std::string& number : row.numbers) widest = std::max(widest, ctx.Measure(number).width);
    const int line = ctx.Measure("0123456789").height;
    return {widest, line / 2 + line * static_cast<int>(table.rows.size())};
}

void DrawNumbersAtRisk(const ChartDrawContext& ctx, const NumbersAtRiskTable& table, int top)
{
    if (table.rows.empty()) return;
    Canvas& canvas = ctx.canvas;
    const CChartAxis& axis = ctx.chart.timeAxis;
    ctx.SelectFont(ctx.chart.timeAxis.numberFont);
    const int line = ctx.Measure("0123456789").height;
    canvas.SetTextAlign(kAlignCenter | kAlignTop);
    int y = top + line / 2;
    for (const NumbersAtRiskTable::Row& row : table.rows) {
        canvas.SetTextColor(row.color);
        for (size_t t = 0; t < table.ticks.size(); ++t) canvas.TextOut(axis.Map(table.ticks[t]), y, row.numbers[t]);
        y += line;
    }
}

}  // namespace kalderon
