#include "results/PrintLayout.h"

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

}  // namespace kalderon
