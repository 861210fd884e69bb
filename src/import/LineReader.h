#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "import/ReaderFault.h"

namespace kalderon {

// Reads a file line by line in large blocks.  A line ends at LF; a CR right
// before the LF belongs to the line end.  Lines may be of any length.
class LineReader {
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    // A fault ("cannot open PATH: the system's reason") when the file cannot
    // be opened.
    ReadResult<void> Open(const std::string& path);

    // The next line without its line end, valid until the next call: true
    // with a line, false at the end of the file, a fault ("cannot read PATH:
    // the system's reason") when the file cannot be read.
    ReadResult<bool> Next(std::string_view& line);

private:
    ReadResult<void> Refill();

    std::FILE* file_ = nullptr;
    std::string path_;
    std::vector<char> buffer_;
    size_t begin_ = 0;  // first unread byte in buffer_
    size_t end_ = 0;    // end of the bytes read into buffer_
    bool atEnd_ = false;
};

}  // namespace kalderon
