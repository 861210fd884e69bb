#pragma once

#include <cstddef>
#include <memory>
#include <string>
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

inline void ReserveLarge(std::string& text, size_t bytes)
{
    text.reserve(bytes);
    ReserveLarge(text.data(), text.capacity());
}

// Resizes to `n` elements, value-initialising the new ones in fresh room
// marked as above.
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

// Room for `n` elements left uninitialised, marked as above.
template <class T>
std::unique_ptr<T[]> LargeBufferForOverwrite(size_t n)
{
    auto buffer = std::make_unique_for_overwrite<T[]>(n);
    ReserveLarge(buffer.get(), n * sizeof(T));
    return buffer;
}

}  // namespace kalderon
