#include "results/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {

PageGeometry ResultPageGeometry(const PrintDevice& device, std::int32_t paperWidth, std::int32_t paperHeight)
{
    PageGeometry page{0, 0, paperWidth, paperHeight};
    if (device.horzSize > 0 && device.horzRes > 0)
        page.marginX = static_cast<std::int32_t>(static_cast<std::int64_t>(device.horzRes / device.horzSize) *
                                                 paperWidth * 10 / device.horzRes);
    if (device.vertSize > 0 && device.vertRes > 0)
        page.marginY = static_cast<std::int32_t>(static_cast<std::int64_t>(device.vertRes / device.vertSize) *
                                                 paperHeight * 10 / device.vertRes);
    if (device.horzRes > 0 && device.vertSize > 0)
        page.paperWidth =
            static_cast<std::int32_t>(static_cast<std::int64_t>(paperHeight) * device.horzSize / device.vertSize);
    return page;
}

ReportPageLayout LayoutReportPage(const ReportPage& page, size_t widestColumns, double minimumScale)
{
    ReportPageLayout layout;
    if (page.charWidth <= 0 || page.lineHeight <= 0) return layout;
    const double widest = static_cast<double>(std::max<size_t>(widestColumns, 1)) * page.charWidth;
    layout.scale = std::clamp(page.width / widest, std::min(minimumScale, 1.0), 1.0);
    // A hair of room so that a line that fits exactly is not lost to rounding.
    layout.columns = std::max<size_t>(1, static_cast<size_t>(std::floor(page.width / (page.charWidth * layout.scale) + 1e-9)));
    layout.wraps = widestColumns > layout.columns;
    const double body = page.height - page.headerHeight;
    layout.rowsPerPage = std::max(1, static_cast<int>(std::floor(body / (page.lineHeight * layout.scale) + 1e-9)));
    return layout;
}

std::string PrintedPageNumber(int page, int pageCount) { return FormatText(text::kPrintedPageNumber, page, pageCount); }

}  // namespace kalderon
