#include "common/BackgroundTask.h"

#include <utility>

namespace kalderon {

BackgroundTask::BackgroundTask(std::function<void()> work)
    : thread_([this, work = std::move(work)] {
          try {
              work();
          } catch (...) {
              failure_ = std::current_exception();
          }
      })
{
}

BackgroundTask::~BackgroundTask()
{
    if (thread_.joinable()) thread_.join();
}

void BackgroundTask::Join()
{
    thread_.join();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace kalderon
