#include "common/LargeArrays.h"

#include <algorithm>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kalderon::detail {
namespace {

constexpr std::uintptr_t kHugePage = 2u << 20;

// The whole huge pages among `bytes` bytes from `data`, as [begin, end).
struct HugePages {
    HugePages(const void* data, size_t bytes)
    {
        const auto first = reinterpret_cast<std::uintptr_t>(data);
        begin = (first + kHugePage - 1) & ~(kHugePage - 1);
        end = std::max(begin, (first + bytes) & ~(kHugePage - 1));
    }
    size_t count() const { return (end - begin) / kHugePage; }

    std::uintptr_t begin;
    std::uintptr_t end;
};

}  // namespace

void AdviseHugePages(void* data, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const HugePages pages(data, bytes);
    if (pages.count() > 0) madvise(reinterpret_cast<void*>(pages.begin), pages.end - pages.begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

std::jthread MapPagesFromTheBack(void* data, size_t bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const HugePages pages(data, bytes);
    if (pages.count() < 2) return {};
    return std::jthread([pages](std::stop_token stop) {
        for (std::uintptr_t at = pages.end; at > pages.begin && !stop.stop_requested();) {
            at -= kHugePage;
            if (madvise(reinterpret_cast<void*>(at), kHugePage, MADV_POPULATE_WRITE) != 0)
                return;  // not supported, or the memory is gone
        }
    });
#else
    (void)data;
    (void)bytes;
    return {};
#endif
}

}  // namespace kalderon::detail
