#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "import/TextRecordParser.h"
#include "stats/DataColumns.h"

namespace kalderon {

// Cuts the lines of a text file into their fields once for both uses: the
// reading thread reads the cases' values from them, while a thread of this
// class codes them into the columns of the data set.  The reading thread
// copies the lines into batches that a queue hands over and gets them back
// cut, in the order of the lines.  The worker cuts batches before it codes
// them, so that the coding may trail behind the reading into the work that
// follows it; when batches still wait to be cut, the reading thread cuts the
// next one itself.
class TextLineWorker {
public:
    // Called on the reading thread for every line in order: the line, its
    // number in the file, its fields and whether its quotes all close.
    using Consumer = std::function<void(std::string_view line, std::int64_t lineNumber,
                                        std::span<const std::string_view> fields, bool closed)>;

    TextLineWorker(DataColumns& columns, const TextImportSettings& layout, Consumer consume);
    TextLineWorker(const TextLineWorker&) = delete;
    TextLineWorker& operator=(const TextLineWorker&) = delete;
    ~TextLineWorker();

    void Add(std::string_view line, std::int64_t lineNumber);
    // After the last line: returns once every line has been consumed.
    void EndOfLines();
    // The columns are complete once Finish returns, which throws what failed
    // on the worker (room that ran out).
    void Finish();

private:
    struct LineBatch {
        std::string bytes;
        std::vector<size_t> ends;
        std::vector<std::int64_t> lineNumbers;
        // Cut: every line's fields one after another, the end of each
        // line's, and whether its quotes close.  Fields that are not a piece
        // of their line (their doubled quotes made single) are kept in
        // `unquoted`, never longer than the lines.
        std::vector<std::string_view> fields;
        std::vector<size_t> fieldEnds;
        std::vector<std::uint8_t> closed;
        std::string unquoted;
        bool isCut = false;
        bool consumed = false;
        bool coded = false;

        void Clear();
    };

    void HandOver();
    // Gives the batches cut, oldest first, to the consumer until `enough`
    // (asked with the mutex held) holds, waiting for the worker where needed.
    template <class Enough>
    void ConsumeUntil(Enough enough);
    void Consume(const LineBatch& batch);
    void Release(LineBatch* batch);
    void Run();
    static void Cut(TextRecordParser& cutter, LineBatch& batch);
    void Code(const LineBatch& batch);

    DataColumns& columns_;
    TextRecordParser cutter_;        // the worker's
    TextRecordParser readerCutter_;  // the reading thread's
    Consumer consume_;
    std::vector<std::unique_ptr<LineBatch>> batches_;  // made as needed, up to a bound
    LineBatch* filling_ = nullptr;
    std::size_t handedOver_ = 0;  // the reading thread's alone
    std::size_t consumed_ = 0;    // the reading thread's alone
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<LineBatch*> ready_;   // to be cut
    std::deque<LineBatch*> cut_;     // to be consumed
    std::deque<LineBatch*> toCode_;  // cut, to be coded
    std::vector<LineBatch*> free_;
    bool ended_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;  // the thread's alone until it is joined
    std::thread thread_;          // last, started when everything else is ready
};

}  // namespace kalderon
