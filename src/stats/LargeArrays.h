#pragma once

#include <cstddef>
#include <vector>

namespace kalderon {

// Reserves room for `n` elements.  On Linux a large buffer is marked for
// transparent huge pages: filling a freshly mapped result table of a million
// rows page by page otherwise costs more than computing it.
void ReserveLarge(void* data, size_t bytes);

template <class T>
void ReserveLarge(std::vector<T>& v, size_t n)
{
    v.reserve(n);
    ReserveLarge(v.data(), v.capacity() * sizeof(T));
}

}  // namespace kalderon
