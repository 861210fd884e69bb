#pragma once

#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

namespace kalderon {

// Room for the arrays and texts that grow with the number of cases.  All
// such room is asked for here, and the memory policy lives here: room of a
// megabyte or more is mapped in huge pages where the system offers them
// (every such block taken through new starts on a huge page, see
// LargeArrays.cpp), so that filling a table of millions of rows, or reading
// it at random, takes far fewer page faults and address translations.

namespace detail {

// Asks for huge pages for the whole 2 MB pages among `bytes` bytes from
// `data`; does nothing where the system has none.
void AdviseHugePages(void* data, size_t bytes);

// A thread that maps the whole 2 MB pages among `bytes` bytes from `data`,
// the last first, without reading or writing a byte, until it is stopped
// (as the std::jthread is on destruction); not joinable where the range is
// below a few megabytes or the system cannot map pages ahead.
std::jthread MapPagesFromTheBack(void* data, size_t bytes);

// Whether blocks of a megabyte or more taken through new start on a huge
// page (not in the sanitizers' builds, nor where the system has none).
bool LargeBlocksStartOnHugePages();

}  // namespace detail

// Room for `n` elements (the bytes of a std::string) in `v`, so that
// appending up to `n` of them moves nothing.
template <class Container>
void ReserveLarge(Container& v, size_t n)
{
    v.reserve(n);
    detail::AdviseHugePages(v.data(), v.capacity() * sizeof(*v.data()));
}

// Resizes to `n` elements, the new ones value-initialised, in room asked
// for by ReserveLarge.
template <class T>
void ResizeLarge(std::vector<T>& v, size_t n)
{
    if (n > v.capacity()) ReserveLarge(v, n);
    v.resize(n);
}

template <class T>
std::vector<T> LargeVector(size_t n)
{
    std::vector<T> v;
    ResizeLarge(v, n);
    return v;
}

// Room for `n` elements left uninitialised, mapped as ReserveLarge maps it.
template <class T>
std::unique_ptr<T[]> LargeBufferForOverwrite(size_t n)
{
    auto buffer = std::make_unique_for_overwrite<T[]>(n);
    detail::AdviseHugePages(buffer.get(), n * sizeof(T));
    return buffer;
}

// Room for `n` more elements in `v`, which `fill` then appends (no more
// than `n`).  While it runs, a second thread maps the room's pages from the
// back, so that a large table filled at once shares the cost of its fresh
// pages with another processor and the two meet halfway; work that `fill`
// does before it appends gives that thread a head start.
template <class T, class Fill>
void FillLarge(std::vector<T>& v, size_t n, Fill fill)
{
    ReserveLarge(v, v.size() + n);
    const std::jthread mapping = detail::MapPagesFromTheBack(v.data() + v.size(), n * sizeof(T));
    fill();
}

}  // namespace kalderon
