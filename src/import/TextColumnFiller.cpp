#include "import/TextColumnFiller.h"

namespace kalderon {
namespace {

constexpr size_t kBatchBytes = size_t{1} << 18;

// Runs work, keeping what it throws in `failure`.
template <class Work>
void Complete(std::exception_ptr& failure, Work work)
{
    try {
        work();
    } catch (...) {
        failure = std::current_exception();
    }
}

}  // namespace

TextColumnFiller::TextColumnFiller(DataColumns& columns, const TextImportSettings& layout)
    : columns_(columns), cutter_(layout, true)
{
    free_ = {&batches_[1], &batches_[2]};
    filling_ = &batches_[0];
    thread_ = std::thread([this] { Run(); });
}

TextColumnFiller::~TextColumnFiller()
{
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void TextColumnFiller::Add(std::string_view line)
{
    filling_->bytes.append(line);
    filling_->ends.push_back(filling_->bytes.size());
    if (filling_->bytes.size() >= kBatchBytes) HandOver();
}

void TextColumnFiller::EndOfLines()
{
    {
        const std::lock_guard lock(mutex_);
        ready_.push_back(filling_);
        filling_ = nullptr;
        ended_ = true;
    }
    changed_.notify_all();
}

void TextColumnFiller::Finish()
{
    thread_.join();
    if (failure_) std::rethrow_exception(failure_);
}

void TextColumnFiller::HandOver()
{
    std::unique_lock lock(mutex_);
    ready_.push_back(filling_);
    changed_.notify_all();
    changed_.wait(lock, [this] { return !free_.empty(); });
    filling_ = free_.back();
    free_.pop_back();
}

void TextColumnFiller::Run()
{
    for (;;) {
        LineBatch* batch = nullptr;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopped_ || ended_ || !ready_.empty(); });
            if (stopped_) return;
            if (ready_.empty()) break;
            batch = ready_.front();
            ready_.pop_front();
        }
        Fill(*batch);
        batch->bytes.clear();
        batch->ends.clear();
        {
            const std::lock_guard lock(mutex_);
            free_.push_back(batch);
        }
        changed_.notify_all();
    }
    if (!failure_) Complete(failure_, [this] { columns_.Finish(); });
}

void TextColumnFiller::Fill(const LineBatch& batch)
{
    if (failure_) return;
    Complete(failure_, [this, &batch] {
        const std::string_view bytes(batch.bytes);
        size_t begin = 0;
        for (const size_t end : batch.ends) {
            cutter_.Cut(bytes.substr(begin, end - begin));
            columns_.AppendRow(cutter_.fields());
            begin = end;
        }
    });
}

}  // namespace kalderon
