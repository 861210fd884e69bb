#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/CaseRecord.h"

namespace kalderon {

// The client area of the observation-period diagram in pixels (right and
// bottom exclusive) and the extent of "88.88.8888" in its font.
struct DiagramArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int textWidth = 0;
    int textHeight = 0;
};

// The line of one case, from xFrom up to, not including, xTo.
struct DiagramLine {
    int y;
    int xFrom;
    int xTo;
    size_t caseIndex;  // position in the case list
};

// Where everything of the diagram goes.  Lines, like the band, include
// their first pixel and leave out their last.
struct ObservationPeriodLayout {
    int top = 0;      // of the band and of the first case line
    int axisY = 0;
    int x0 = 0;       // left end of the axis: the window begin
    int x1 = 0;       // right end: the window end
    static constexpr int kTickLength = 5;

    // The yellow band of the period of interest, from bandLeft to bandRight
    // and from top to axisY (modes 1 and 2).
    bool hasBand = false;
    int bandLeft = 0;
    int bandRight = 0;

    // Ticks down from the axis: at x0, at x1 and at every anniversary of
    // the window begin inside the window.
    std::vector<int> tickX;

    // The window's dates written centred above labelY; empty without a record.
    int labelY = 0;
    std::string beginText;
    std::string endText;

    // One line per drawn case, from its begin to its end of follow-up.
    std::vector<DiagramLine> caseLines;
    int lineStep = 2;
};

// Lays the diagram out for `mode` (an AnalysisKind: the band shows in period
// analysis and trend).  `data` and `cases` may be null: then only the axis is
// laid out, or no case lines are.  Dates map to x in whole days, linearly from
// the window begin at x0 to the window end at x1; a window of no days maps
// every date to x0.  When the space between top and axis holds fewer
// double-pixel rows than there are cases, only as many evenly spaced valid
// cases are drawn; the list is walked once at most.  `selected`
// (CaseList::selected) leaves out the cases a selection does not take.
ObservationPeriodLayout LayOutObservationPeriod(const DiagramArea& area, std::int32_t mode, const CAnalysisData* data,
                                                const std::vector<CCaseRecord>* cases,
                                                const std::vector<std::uint8_t>* selected = nullptr);

}  // namespace kalderon
