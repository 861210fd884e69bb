#pragma once

#include <cstddef>
#include <functional>

namespace kalderon {

// Told now and then while a data file is read: `done` of about `total`
// records (lines or rows) are read.  An empty function is never called.
using ReadProgress = std::function<void(std::size_t done, std::size_t total)>;

// How many records pass between two calls.
inline constexpr std::size_t kReadProgressStep = 1 << 16;

}  // namespace kalderon
