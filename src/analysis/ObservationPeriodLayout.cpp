#include "analysis/ObservationPeriodLayout.h"

#include <algorithm>
#include <cmath>

#include "analysis/PeriodSteps.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// Days of one unit for the width of the trend band.
long long BandUnitDays(std::int32_t unit)
{
    switch (unit) {
    case kUnitYear: return 365;
    case kUnitMonth: return 30;
    case kUnitWeek: return 7;
    default: return 1;
    }
}

// Whole days to pixels along the axis.
class DateScale {
public:
    DateScale(const CAnalysisData& data, int x0, int x1)
        : origin_(data.windowBegin), x0_(x0), width_(x1 - x0), days_(SpanDays(data.windowBegin, data.windowEnd).value_or(0))
    {
    }

    // Far outside the window a length only needs to stay off the diagram.
    int Length(long long days) const
    {
        constexpr long long kFar = 1 << 24;
        return days_ > 0 ? static_cast<int>(std::clamp(days * width_ / days_, -kFar, kFar)) : 0;
    }
    int X(const DateValue& date) const { return x0_ + Length(SpanDays(origin_, date).value_or(0)); }

private:
    DateValue origin_;
    int x0_;
    long long width_;
    long long days_;
};

// The line step: 2 pixels, more when fewer lines than rows leave room.
int LineStep(long long lines, long long rows, long long height)
{
    int step = 2;
    if (lines < rows && height >= 3 * lines + 3)
        for (long long filled = 3 * lines + 3; filled <= height; filled += lines + 1) ++step;
    return step;
}

// `selected` (CaseList::selected) leaves cases out as if the list had not
// held them.
void LayOutCases(ObservationPeriodLayout& layout, const DateScale& scale, const std::vector<CCaseRecord>& cases,
                 const std::vector<std::uint8_t>& selected)
{
    const long long total = static_cast<long long>(cases.size());
    const auto isSelected = [&](long long k) { return selected.empty() || selected[static_cast<size_t>(k)] != 0; };
    const long long count =
        selected.empty() ? total : static_cast<long long>(std::count(selected.begin(), selected.end(), 1));
    const long long height = layout.axisY - layout.top;
    const long long rows = height / 2;
    const bool sampled = rows < count;
    const long long lines = sampled ? rows : count;
    if (lines <= 0) return;
    const double ratio = sampled ? static_cast<double>(count) / static_cast<double>(rows) : 1.0;
    layout.lineStep = LineStep(lines, rows, height);
    layout.caseLines.reserve(static_cast<size_t>(lines));

    // Line i shows the first valid case at or after position i * ratio that
    // follows the case of line i - 1; k is the list index of the case at
    // position `position` among the cases shown.
    long long k = -1;
    long long position = -1;
    const auto next = [&] {
        do ++k;
        while (k < total && !isSelected(k));
        ++position;
    };
    next();
    int y = layout.top;
    for (long long i = 0; i < lines; ++i) {
        const double first = std::ceil(static_cast<double>(i) * ratio);
        if (first >= static_cast<double>(count)) break;
        while (position < static_cast<long long>(first)) next();
        while (position < count && !cases[static_cast<size_t>(k)].isValid) next();
        if (position >= count) break;
        const CCaseRecord& c = cases[static_cast<size_t>(k)];
        layout.caseLines.push_back(DiagramLine{y, scale.X(c.beginDate), scale.X(c.endDate), static_cast<size_t>(k)});
        y += layout.lineStep;
        next();
    }
}

}  // namespace

ObservationPeriodLayout LayOutObservationPeriod(const DiagramArea& area, std::int32_t mode, const CAnalysisData* data,
                                                const std::vector<CCaseRecord>* cases,
                                                const std::vector<std::uint8_t>* selected)
{
    ObservationPeriodLayout layout;
    const int margin = area.textWidth / 2 + 2;
    layout.top = area.top + 10;
    layout.axisY = area.bottom - area.textHeight * 3 / 2;
    layout.x0 = area.left + margin;
    layout.x1 = area.right - margin;
    layout.labelY = area.bottom - 2;
    layout.tickX = {layout.x0, layout.x1};

    if (!data) return layout;

    const DateScale scale(*data, layout.x0, layout.x1);
    if (mode == kPeriodAnalysis || mode == kTrend) {
        layout.hasBand = true;
        layout.bandLeft = scale.X(data->periodBegin);
        layout.bandRight = mode == kPeriodAnalysis
                               ? scale.X(data->periodEnd)
                               : layout.bandLeft + scale.Length(data->periodWidth * BandUnitDays(data->timeUnit));
    }

    layout.beginText = data->windowBegin.displayText();
    layout.endText = data->windowEnd.displayText();
    for (int years = 1;; ++years) {
        const DateValue tick = AddYears(data->windowBegin, years);
        if (!tick.isValid() || !data->windowEnd.isValid() || tick.serial() >= data->windowEnd.serial()) break;
        layout.tickX.push_back(scale.X(tick));
    }
    static const std::vector<std::uint8_t> everyCase;
    if (cases) LayOutCases(layout, scale, *cases, selected ? *selected : everyCase);
    return layout;
}

}  // namespace kalderon
