#include <vector>

#include "charts/ChartDrawContext.h"
#include "charts/CiBarPainter.h"
#include "charts/MarkerPainter.h"

namespace kalderon {
namespace {

class SeriesPainter {
public:
    explicit SeriesPainter(const ChartDrawContext& ctx)
        : ctx_(ctx), canvas_(ctx.canvas), chart_(ctx.chart), x_(ctx.chart.timeAxis), y_(ctx.chart.survivalAxis),
          unit_(ProductLimitUnitDays(ctx.chart.analysis.timeUnit)),
          relative_(ctx.chart.analysis.relativeSurvival != 0), start_(ctx.chart.RisesFromZero() ? 0.0 : 1.0)
    {
    }

    void DrawCurves()
    {
        const ChartRect& plot = chart_.plotRect;
        capHalfWidth_ = (plot.right - plot.left) / 100;
        int offset = 0;
        for (int i = 0; i < chart_.DrawableSeriesCount(); ++i) {
            const CSeriesStyle& style = chart_.seriesStyles[i];
            if (!style.showSeries) continue;
            const int ciWidth = ctx_.LineWidth(style.ciLine);
            if (i > 0) offset += ctx_.printing ? ciWidth + 6 : ciWidth;
            const CGroupResult& group = chart_.analysis.groupResults[i];
            if (chart_.IsProductLimit())
                DrawProductLimit(style, group);
            else if (chart_.chartKind == kChartTrend)
                DrawTrendBars(style, group, offset);
            else
                DrawLifeTable(style, group, offset);
        }
    }

    void DrawMarkers()
    {
        for (int i = 0; i < chart_.DrawableSeriesCount(); ++i) {
            const CSeriesStyle& style = chart_.seriesStyles[i];
            if (!style.showSeries || style.marker.symbol <= 0) continue;
            const CGroupResult& group = chart_.analysis.groupResults[i];
            const int size = ctx_.MarkerSize(style.marker);
            auto mark = [&](int x, int y) { DrawMarker(canvas_, style.marker, x, y, size); };
            if (chart_.IsProductLimit()) {
                if (relative_) {
                    MarkRelativeCensored(group.timePoints, mark);
                } else {
                    MarkCensored(group.timePoints, mark);
                }
            } else {
                for (const CIntervalResult& row : group.intervalTable.rows) {
                    if (row.exposedToRisk > 0 && Shown(row))
                        mark(x_.Map(row.intervalNumber), y_.Map(IntervalValue(row)));
                }
            }
        }
    }

private:
    bool IsEvent(const CTimePointResult& row) const { return row.statusText == chart_.analysis.eventCode; }
    // A row whose net survival cannot be trusted is not drawn.
    bool Shown(const auto& row) const { return !relative_ || row.hasRelativeSurvival; }
    double Time(const CTimePointResult& row) const { return row.survivalDays / unit_; }
    double IntervalValue(const CIntervalResult& row) const
    {
        return relative_ ? row.relativeSurvival : row.cumulativeSurvival;
    }

    void DrawCiBar(const CLineStyle& ci, int x, int y1, int y2)
    {
        kalderon::DrawCiBar(canvas_, ci, ctx_.LineWidth(ci), x, y1, y2, capHalfWidth_);
    }

    void DrawProductLimit(const CSeriesStyle& style, const CGroupResult& group)
    {
        const std::vector<CTimePointResult>& rows = group.timePoints;
        if (style.showCI) {
            // At tied event times only the last event gets a bar.
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (!IsEvent(rows[r]) || !Shown(rows[r])) continue;
                const bool tieFollows = r + 1 < rows.size() && IsEvent(rows[r + 1]) &&
                                        rows[r + 1].survivalDays == rows[r].survivalDays;
                if (!tieFollows) {
                    DrawCiBar(style.ciLine, x_.Map(Time(rows[r])), y_.Map(rows[r].lowerLimit),
                              y_.Map(rows[r].upperLimit));
                }
            }
        }

        const int e = ctx_.LineWidth(style.survivalLine);
        canvas_.SelectPen(style.survivalLine.penStyle, style.survivalLine.lineColor);
        const int halfWidth = e - e / 2;
        for (int k = -e / 2; k < -e / 2 + e; ++k) {
            canvas_.MoveTo(x_.Map(0.0), y_.Map(start_) + k);
            if (relative_) {
                for (const CTimePointResult& row : rows) {
                    if (IsEvent(row) && Shown(row))
                        canvas_.LineTo(x_.Map(Time(row)), y_.Map(row.relativeSurvival) + k);
                }
                continue;
            }
            int level = y_.Map(start_);
            for (const CTimePointResult& row : rows) {
                if (!IsEvent(row)) continue;
                const int x = x_.Map(Time(row));
                const int y = y_.Map(row.cumulativeSurvival);
                canvas_.LineTo(x - halfWidth + 1, level + k);
                canvas_.MoveTo(x - k, level - e / 2);
                canvas_.LineTo(x - k, y == 0 ? 0 : y - e / 2);
                canvas_.MoveTo(x - halfWidth + 1, y + k);
                level = y;
            }
            if (!rows.empty() && !IsEvent(rows.back())) canvas_.LineTo(x_.Map(Time(rows.back())) + 10, level + k);
        }
    }

    void DrawTrendBars(const CSeriesStyle& style, const CGroupResult& group, int offset)
    {
        if (!style.showCI) return;
        for (const CIntervalResult& row : group.intervalTable.rows) {
            if (row.exposedToRisk > 0 && row.hasStandardError != 0) {
                DrawCiBar(style.ciLine, x_.Map(row.intervalNumber) + offset, y_.Map(row.lowerLimit),
                          y_.Map(row.upperLimit));
            }
        }
    }

    void DrawLifeTable(const CSeriesStyle& style, const CGroupResult& group, int offset)
    {
        const std::vector<CIntervalResult>& rows = group.intervalTable.rows;
        if (style.showCI) {
            for (const CIntervalResult& row : rows) {
                if (row.exposedToRisk > 0 && Shown(row)) {
                    DrawCiBar(style.ciLine, x_.Map(row.intervalNumber) + offset, y_.Map(row.lowerLimit),
                              y_.Map(row.upperLimit));
                }
            }
        }
        const int e = ctx_.LineWidth(style.survivalLine);
        canvas_.SelectPen(style.survivalLine.penStyle, style.survivalLine.lineColor);
        for (int k = -e / 2; k < -e / 2 + e; ++k) {
            canvas_.MoveTo(x_.Map(0.0), y_.Map(start_) + k);
            for (const CIntervalResult& row : rows) {
                if (row.exposedToRisk > 0 && Shown(row))
                    canvas_.LineTo(x_.Map(row.intervalNumber), y_.Map(IntervalValue(row)) + k);
            }
        }
    }

    // Censored rows marked on the straight line between the events around them.
    template <typename Mark>
    void MarkRelativeCensored(const std::vector<CTimePointResult>& rows, Mark mark) const
    {
        double t0 = 0.0;
        double s0 = start_;
        std::vector<const CTimePointResult*> pending;
        for (const CTimePointResult& row : rows) {
            if (!IsEvent(row)) {
                pending.push_back(&row);
                continue;
            }
            if (!Shown(row)) return;
            const double t1 = Time(row);
            const double s1 = row.relativeSurvival;
            for (const CTimePointResult* censored : pending) {
                const double t = Time(*censored);
                const double s = t1 != t0 ? s0 + (t - t0) * (s1 - s0) / (t1 - t0) : s1;
                mark(x_.Map(t), y_.Map(s));
            }
            pending.clear();
            t0 = t1;
            s0 = s1;
        }
    }

    // Censored rows marked on the level of the step they lie on.
    template <typename Mark>
    void MarkCensored(const std::vector<CTimePointResult>& rows, Mark mark) const
    {
        int level = y_.Map(start_);
        for (const CTimePointResult& row : rows) {
            if (IsEvent(row)) {
                level = y_.Map(row.cumulativeSurvival);
            } else {
                mark(x_.Map(Time(row)), level);
            }
        }
    }

    const ChartDrawContext& ctx_;
    Canvas& canvas_;
    const LifeTableChart& chart_;
    const CChartAxis& x_;
    const CChartAxis& y_;
    const double unit_;
    const bool relative_;
    const double start_;  // the curves' value at time 0
    int capHalfWidth_ = 0;
};

}  // namespace

void DrawSeriesCurves(const ChartDrawContext& ctx)
{
    SeriesPainter(ctx).DrawCurves();
}

void DrawSeriesMarkers(const ChartDrawContext& ctx)
{
    SeriesPainter(ctx).DrawMarkers();
}

}  // namespace kalderon
