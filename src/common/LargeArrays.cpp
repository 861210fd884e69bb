#include "common/LargeArrays.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace kalderon::detail {

constexpr std::uintptr_t kHugePage = 2u << 20;

namespace {

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

// Every block of a megabyte or more that the program asks for through new
// (the vectors and strings that grow with the cases, the tables their values
// are coded in) starts on a huge page and is mapped in huge pages: room
// written for the first time then costs one page fault per 2 MB rather than
// one per 4 KB, which on a virtual machine is most of the time taken to
// fill it.  Such blocks are mapped on their own and given back when freed
// (the allocator would otherwise raise that bound as they are freed and
// keep them in its heaps).  The sanitizers keep their own allocation.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALDERON_SANITIZED_ALLOCATION
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KALDERON_SANITIZED_ALLOCATION
#endif

#if defined(__linux__) && defined(MADV_HUGEPAGE) && !defined(KALDERON_SANITIZED_ALLOCATION)
namespace {

constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
const bool kLargeBlocksMapped = mallopt(M_MMAP_THRESHOLD, kLargeBlock) == 1;

void* AllocateLargeBlock(std::size_t bytes)
{
    using kalderon::detail::kHugePage;
    if (bytes > SIZE_MAX - kHugePage) return nullptr;
    const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void* block = nullptr;
    if (posix_memalign(&block, kHugePage, rounded) != 0) return nullptr;
    madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

}  // namespace

void* operator new(std::size_t bytes)
{
    for (;;) {
        void* block = bytes >= kLargeBlock ? AllocateLargeBlock(bytes) : std::malloc(bytes == 0 ? 1 : bytes);
        if (block) return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

bool kalderon::detail::LargeBlocksStartOnHugePages() { return kLargeBlocksMapped; }
#else
bool kalderon::detail::LargeBlocksStartOnHugePages() { return false; }
#endif
