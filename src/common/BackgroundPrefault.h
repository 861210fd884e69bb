#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace kalderon {

// Maps the pages of a large, freshly reserved buffer on a thread of its own,
// so that the kernel clears them on another processor while this one fills
// the buffer.  The buffer's bytes are never read or written
// by it; a page the filling reaches first is simply skipped.  Stopped and
// joined on destruction or by Stop, which must come before the buffer is
// freed.  Does nothing where the system cannot map pages ahead.
class BackgroundPrefault {
public:
    BackgroundPrefault() = default;
    BackgroundPrefault(const BackgroundPrefault&) = delete;
    BackgroundPrefault& operator=(const BackgroundPrefault&) = delete;
    ~BackgroundPrefault() { Stop(); }

    // Front to back for a buffer filled slowly, which the mapping stays
    // ahead of; back to front for one filled at once, so that the two meet
    // halfway.
    enum Direction { kFrontToBack, kBackToFront };

    // Starts on `bytes` bytes from `data` (after stopping any earlier range);
    // a range below a few megabytes is left to the filling.
    void Start(void* data, size_t bytes, Direction direction = kFrontToBack);
    void Stop();

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace kalderon
