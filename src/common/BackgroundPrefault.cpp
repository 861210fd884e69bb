#include "common/BackgroundPrefault.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kalderon {
namespace {

constexpr size_t kStep = 2u << 20;  // one huge page

}  // namespace

void BackgroundPrefault::Start(void* data, size_t bytes, Direction direction)
{
    Stop();
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (bytes < 2 * kStep) return;
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (first + kStep - 1) & ~(kStep - 1);
    const std::uintptr_t end = (first + bytes) & ~(kStep - 1);
    stop_ = false;
    thread_ = std::thread([this, begin, end, direction] {
        const std::uintptr_t steps = (end - begin) / kStep;
        for (std::uintptr_t step = 0; step < steps && !stop_.load(std::memory_order_relaxed); ++step) {
            const std::uintptr_t at = begin + (direction == kFrontToBack ? step : steps - 1 - step) * kStep;
            if (madvise(reinterpret_cast<void*>(at), kStep, MADV_POPULATE_WRITE) != 0)
                return;  // not supported, or the memory is gone
        }
    });
#else
    (void)data;
    (void)bytes;
#endif
}

void BackgroundPrefault::Stop()
{
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace kalderon
