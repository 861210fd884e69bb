#include "import/LineReader.h"

#include <cerrno>
#include <cstring>

namespace kalderon {
namespace {

constexpr size_t kBlockSize = 1 << 20;

}  // namespace

LineReader::~LineReader()
{
    if (file_) std::fclose(file_);
}

ReadResult<void> LineReader::Open(const std::string& path)
{
    path_ = path;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return ReaderFault::Described("cannot open " + path + ": " + std::strerror(errno));
    buffer_.resize(kBlockSize);
    return {};
}

ReadResult<bool> LineReader::Next(std::string_view& line)
{
    while (true) {
        const char* data = buffer_.data();
        if (const void* lf = std::memchr(data + begin_, '\n', end_ - begin_)) {
            const size_t stop = static_cast<const char*>(lf) - data;
            size_t length = stop - begin_;
            if (length > 0 && data[stop - 1] == '\r') --length;
            line = std::string_view(data + begin_, length);
            begin_ = stop + 1;
            return true;
        }
        if (atEnd_) {
            if (begin_ == end_) return false;
            line = std::string_view(data + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
        if (const ReadResult<void> refilled = Refill(); !refilled) return refilled.fault();
    }
}

// Keeps the unfinished line at the front of the buffer, growing the buffer
// when that line fills it, and reads the next block behind it.
ReadResult<void> LineReader::Refill()
{
    if (!file_) {
        atEnd_ = true;
        return {};
    }
    const size_t pending = end_ - begin_;
    if (begin_ > 0) std::memmove(buffer_.data(), buffer_.data() + begin_, pending);
    begin_ = 0;
    end_ = pending;
    if (buffer_.size() - end_ < kBlockSize / 2) buffer_.resize(buffer_.size() * 2);

    const size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (got == 0) {
        if (std::ferror(file_)) return ReaderFault::Described("cannot read " + path_ + ": " + std::strerror(errno));
        atEnd_ = true;
    }
    return {};
}

}  // namespace kalderon
