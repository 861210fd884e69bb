#include "common/LargeArrays.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kalderon {

void ReserveLarge(void* data, size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr size_t kHugePage = 2u << 20;
    if (bytes < kHugePage) return;
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (first + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (first + bytes) & ~(kHugePage - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace kalderon
