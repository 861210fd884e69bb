#include "common/LargeArrays.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <new>
#include <unordered_map>

#ifdef __linux__
#include <pthread.h>
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
// are coded in) is mapped on its own, starting on a huge page and advised
// into huge pages: room written for the first time then costs one page
// fault per 2 MB rather than one per 4 KB, which on a virtual machine is
// most of the time taken to fill it.  Such a block is given back to the
// system when it is deleted.  The sanitizers keep their own allocation.
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

using kalderon::detail::kHugePage;
constexpr std::size_t kLargeBlock = std::size_t{1} << 20;

std::uintptr_t RoundUpToHugePage(std::uintptr_t at) { return (at + kHugePage - 1) & ~(kHugePage - 1); }

// Room for the table of the blocks, taken from malloc directly: what the
// table frees while the lock is held must not come back to operator delete.
template <class T>
struct MallocAllocator {
    using value_type = T;
    MallocAllocator() = default;
    template <class U>
    MallocAllocator(const MallocAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        if (void* room = n <= SIZE_MAX / sizeof(T) ? std::malloc(n * sizeof(T)) : nullptr)
            return static_cast<T*>(room);
        throw std::bad_alloc();
    }
    void deallocate(T* room, std::size_t) noexcept { std::free(room); }
    template <class U>
    bool operator==(const MallocAllocator<U>&) const noexcept
    {
        return true;
    }
};

// The blocks mapped, with their lengths.  Never destroyed, since blocks may
// be deleted while the program ends.  A child forked while another thread
// holds the lock (the isolated readers are) gets it free.
class LargeBlocks {
public:
    static LargeBlocks& All()
    {
        static auto* blocks = [] {
            auto* made = new LargeBlocks;
            pthread_atfork([] { All().mutex_.lock(); }, [] { All().mutex_.unlock(); },
                           [] { All().mutex_.unlock(); });
            return made;
        }();
        return *blocks;
    }

    void* Map(std::size_t bytes)
    {
        if (bytes > SIZE_MAX - 2 * kHugePage) return nullptr;
        const std::size_t length = RoundUpToHugePage(bytes);
        void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return nullptr;
        const auto base = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t block = RoundUpToHugePage(base);
        if (block > base) munmap(mapped, block - base);
        if (const std::uintptr_t end = block + length; end < base + length + kHugePage)
            munmap(reinterpret_cast<void*>(end), base + length + kHugePage - end);
        madvise(reinterpret_cast<void*>(block), length, MADV_HUGEPAGE);
        try {
            const std::lock_guard lock(mutex_);
            lengths_.emplace(block, length);
        } catch (...) {
            munmap(reinterpret_cast<void*>(block), length);
            return nullptr;
        }
        return reinterpret_cast<void*>(block);
    }

    // False when the block is not one of these.
    bool Unmap(void* block)
    {
        std::size_t length = 0;
        {
            const std::lock_guard lock(mutex_);
            const auto found = lengths_.find(reinterpret_cast<std::uintptr_t>(block));
            if (found == lengths_.end()) return false;
            length = found->second;
            lengths_.erase(found);
        }
        munmap(block, length);
        return true;
    }

private:
    std::mutex mutex_;
    std::unordered_map<std::uintptr_t, std::size_t, std::hash<std::uintptr_t>, std::equal_to<>,
                       MallocAllocator<std::pair<const std::uintptr_t, std::size_t>>>
        lengths_;
};

}  // namespace

void* operator new(std::size_t bytes)
{
    for (;;) {
        void* block = bytes >= kLargeBlock ? LargeBlocks::All().Map(bytes) : std::malloc(bytes == 0 ? 1 : bytes);
        if (block) return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void operator delete(void* block) noexcept
{
    if ((reinterpret_cast<std::uintptr_t>(block) & (kHugePage - 1)) == 0 && block &&
        LargeBlocks::All().Unmap(block))
        return;
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

bool kalderon::detail::LargeBlocksStartOnHugePages() { return true; }
#else
bool kalderon::detail::LargeBlocksStartOnHugePages() { return false; }
#endif
