#include "import/TextLineWorker.h"

#include <functional>

namespace kalderon {
namespace {

constexpr size_t kBatchBytes = size_t{1} << 18;
constexpr size_t kMostBatches = 16;

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

bool Within(std::string_view part, std::string_view whole)
{
    return std::less_equal<>()(whole.data(), part.data()) &&
           std::less_equal<>()(part.data() + part.size(), whole.data() + whole.size());
}

}  // namespace

void TextLineWorker::LineBatch::Clear()
{
    bytes.clear();
    ends.clear();
    lineNumbers.clear();
    fields.clear();
    fieldEnds.clear();
    closed.clear();
    unquoted.clear();
    isCut = consumed = coded = false;
}

TextLineWorker::TextLineWorker(DataColumns& columns, const TextImportSettings& layout, Consumer consume)
    : columns_(columns), cutter_(layout, true), readerCutter_(layout, true), consume_(std::move(consume))
{
    filling_ = batches_.emplace_back(std::make_unique<LineBatch>()).get();
    thread_ = std::thread([this] { Run(); });
}

TextLineWorker::~TextLineWorker()
{
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void TextLineWorker::Add(std::string_view line, std::int64_t lineNumber)
{
    filling_->bytes.append(line);
    filling_->ends.push_back(filling_->bytes.size());
    filling_->lineNumbers.push_back(lineNumber);
    if (filling_->bytes.size() >= kBatchBytes) HandOver();
}

void TextLineWorker::EndOfLines()
{
    {
        const std::lock_guard lock(mutex_);
        ready_.push_back(filling_);
        filling_ = nullptr;
        ended_ = true;
    }
    ++handedOver_;
    changed_.notify_all();
    ConsumeUntil([this] { return consumed_ == handedOver_; });
}

void TextLineWorker::Finish()
{
    thread_.join();
    if (failure_) std::rethrow_exception(failure_);
}

void TextLineWorker::HandOver()
{
    bool behind = false;
    {
        const std::lock_guard lock(mutex_);
        behind = ready_.size() >= 2;
    }
    if (behind) Cut(readerCutter_, *filling_);
    {
        const std::lock_guard lock(mutex_);
        ready_.push_back(filling_);
        if (free_.empty() && batches_.size() < kMostBatches)
            free_.push_back(batches_.emplace_back(std::make_unique<LineBatch>()).get());
    }
    ++handedOver_;
    changed_.notify_all();
    ConsumeUntil([this] { return !free_.empty(); });
    const std::lock_guard lock(mutex_);
    filling_ = free_.back();
    free_.pop_back();
}

template <class Enough>
void TextLineWorker::ConsumeUntil(Enough enough)
{
    std::unique_lock lock(mutex_);
    while (!enough()) {
        if (cut_.empty()) {
            changed_.wait(lock);
            continue;
        }
        LineBatch* batch = cut_.front();
        cut_.pop_front();
        lock.unlock();
        Consume(*batch);
        ++consumed_;
        lock.lock();
        batch->consumed = true;
        Release(batch);
    }
}

void TextLineWorker::Consume(const LineBatch& batch)
{
    const std::string_view bytes(batch.bytes);
    const std::span<const std::string_view> fields(batch.fields);
    size_t begin = 0;
    size_t fieldsBegin = 0;
    for (size_t i = 0; i < batch.fieldEnds.size(); ++i) {
        const size_t end = batch.ends[i];
        const size_t fieldsEnd = batch.fieldEnds[i];
        consume_(bytes.substr(begin, end - begin), batch.lineNumbers[i],
                 fields.subspan(fieldsBegin, fieldsEnd - fieldsBegin), batch.closed[i] != 0);
        begin = end;
        fieldsBegin = fieldsEnd;
    }
}

// With the mutex held: a batch both consumed and coded is filled again.
void TextLineWorker::Release(LineBatch* batch)
{
    if (!batch->consumed || !batch->coded) return;
    batch->Clear();
    free_.push_back(batch);
}

// Cutting comes first, since the reading thread waits for it; coding may
// wait.
void TextLineWorker::Run()
{
    for (;;) {
        LineBatch* batch = nullptr;
        bool toCut = false;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopped_ || ended_ || !ready_.empty() || !toCode_.empty(); });
            if (stopped_) return;
            if (!ready_.empty()) {
                batch = ready_.front();
                ready_.pop_front();
                toCut = true;
            } else if (!toCode_.empty()) {
                batch = toCode_.front();
                toCode_.pop_front();
            } else {
                break;
            }
        }
        if (toCut) {
            if (!failure_ && !batch->isCut) Complete(failure_, [this, batch] { Cut(cutter_, *batch); });
            {
                const std::lock_guard lock(mutex_);
                cut_.push_back(batch);
                toCode_.push_back(batch);
            }
        } else {
            if (!failure_) Complete(failure_, [this, batch] { Code(*batch); });
            const std::lock_guard lock(mutex_);
            batch->coded = true;
            Release(batch);
        }
        changed_.notify_all();
    }
    if (!failure_) Complete(failure_, [this] { columns_.Finish(); });
}

void TextLineWorker::Cut(TextRecordParser& cutter, LineBatch& batch)
{
    batch.isCut = true;
    batch.unquoted.reserve(batch.bytes.size());
    const std::string_view bytes(batch.bytes);
    size_t begin = 0;
    for (const size_t end : batch.ends) {
        const std::string_view line = bytes.substr(begin, end - begin);
        batch.closed.push_back(cutter.Cut(line));
        for (std::string_view field : cutter.fields()) {
            if (!field.empty() && !Within(field, line)) {
                const size_t at = batch.unquoted.size();
                batch.unquoted.append(field);
                field = std::string_view(batch.unquoted).substr(at, field.size());
            }
            batch.fields.push_back(field);
        }
        batch.fieldEnds.push_back(batch.fields.size());
        begin = end;
    }
}

void TextLineWorker::Code(const LineBatch& batch)
{
    columns_.AppendRows(batch.fields, batch.fieldEnds);
}

}  // namespace kalderon
