#pragma once

#include <exception>
#include <functional>
#include <thread>

namespace kalderon {

// Runs `work` on a thread of its own.  Join waits for it and throws again
// anything it threw; destruction waits for it without throwing.
class BackgroundTask {
public:
    explicit BackgroundTask(std::function<void()> work);
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;
    ~BackgroundTask();

    void Join();

private:
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace kalderon
