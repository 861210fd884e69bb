#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// Reads a file line by line in large blocks.  A line ends at LF; a CR right
// before the LF belongs to the line end.  Lines may be of any length.
class LineReader {
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    // False with error() set when the file cannot be opened.
    bool Open(const std::string& path);

    // The next line without its line end, valid until the next call.  False
    // at the end of the file, or on a read error with error() set.
    bool Next(std::string_view& line);

    const std::string& error() const { return error_; }

private:
    bool Refill();

    std::FILE* file_ = nullptr;
    std::string path_;
    std::vector<char> buffer_;
    size_t begin_ = 0;  // first unread byte in buffer_
    size_t end_ = 0;    // end of the bytes read into buffer_
    bool atEnd_ = false;
    std::string error_;
};

}  // namespace kalderon
