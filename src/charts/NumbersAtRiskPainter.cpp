#include <algorithm>

#include "charts/AxisTicks.h"
#include "charts/ChartDrawContext.h"
#include "stats/NumbersAtRisk.h"

namespace kalderon {

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
        for (std::int64_t n : NumbersAtRisk(chart.analysis.groupResults[i].timePoints, table.ticks, unitDays))
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
