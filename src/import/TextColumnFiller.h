#pragma once

#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "import/TextRecordParser.h"
#include "stats/DataColumns.h"

namespace kalderon {

// Fills the columns of a data set from the lines of a text file on a thread
// of its own, so that coding their values overlaps reading the cases.  The
// lines are copied into batches that a short queue hands over; the thread
// cuts them into fields as the reading's parser does and, after the last
// line, completes the columns.
class TextColumnFiller {
public:
    TextColumnFiller(DataColumns& columns, const TextImportSettings& layout);
    TextColumnFiller(const TextColumnFiller&) = delete;
    TextColumnFiller& operator=(const TextColumnFiller&) = delete;
    ~TextColumnFiller();

    void Add(std::string_view line);
    // After the last line: the columns are complete once Finish returns,
    // which throws what failed on the thread (room that ran out).
    void EndOfLines();
    void Finish();

private:
    struct LineBatch {
        std::string bytes;
        std::vector<size_t> ends;
    };

    void HandOver();
    void Run();
    void Fill(const LineBatch& batch);

    DataColumns& columns_;
    TextRecordParser cutter_;
    std::array<LineBatch, 3> batches_;
    LineBatch* filling_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<LineBatch*> ready_;
    std::vector<LineBatch*> free_;
    bool ended_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;  // the thread's alone until it is joined
    std::thread thread_;          // last, started when everything else is ready
};

}  // namespace kalderon
