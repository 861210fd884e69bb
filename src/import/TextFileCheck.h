#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "import/ReaderFault.h"

namespace kalderon {

// What a file offered to the text import holds.
enum class TextFileKind {
    kText,    // lines of text
    kEmpty,   // no byte other than line ends: no line would become a case
    kBinary,  // bytes no text of cases holds
};

struct TextFileCheck {
    TextFileKind kind = TextFileKind::kText;
    // For kBinary, what gives it away (a text of the program).
    std::string detail;
};

// Reads the whole file once.  A file is binary when it holds a zero byte,
// a control character other than tab, line feed, vertical tab, form feed,
// carriage return, escape and the end-of-file mark 0x1A, or, when it is not
// valid UTF-8, one of the five bytes Windows-1252 leaves undefined.  A fault
// whose description is the system's reason when the file cannot be opened
// or read.
ReadResult<TextFileCheck> CheckTextFile(const std::string& path);

// The same test, fed piece by piece.
class TextContentScanner {
public:
    void Feed(std::string_view bytes);
    TextFileCheck Result() const;

private:
    bool sawNul_ = false;
    bool sawControl_ = false;
    bool sawUndefinedInWindows1252_ = false;
    bool utf8Valid_ = true;
    int utf8Pending_ = 0;  // continuation bytes still expected
    bool sawContent_ = false;
};

}  // namespace kalderon
