#include "import/TextFileCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "resources/Texts.h"

namespace kalderon {
namespace {

bool IsTextControl(unsigned char byte)
{
    return byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r' || byte == 0x1B ||
           byte == 0x1A;
}

bool IsUndefinedInWindows1252(unsigned char byte)
{
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// Continuation bytes that follow a UTF-8 lead byte; -1 for a byte that
// cannot start a character.
int Utf8Continuations(unsigned char byte)
{
    if (byte < 0x80) return 0;
    if (byte >= 0xC2 && byte <= 0xDF) return 1;
    if (byte >= 0xE0 && byte <= 0xEF) return 2;
    if (byte >= 0xF0 && byte <= 0xF4) return 3;
    return -1;
}

}  // namespace

void TextContentScanner::Feed(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte != '\n' && byte != '\r') sawContent_ = true;
        if (byte == 0)
            sawNul_ = true;
        else if ((byte < 0x20 || byte == 0x7F) && !IsTextControl(byte))
            sawControl_ = true;
        if (IsUndefinedInWindows1252(byte)) sawUndefinedInWindows1252_ = true;
        if (!utf8Valid_) continue;
        if (utf8Pending_ > 0) {
            if ((byte & 0xC0) == 0x80)
                --utf8Pending_;
            else
                utf8Valid_ = false;
            continue;
        }
        const int continuations = Utf8Continuations(byte);
        if (continuations < 0)
            utf8Valid_ = false;
        else
            utf8Pending_ = continuations;
    }
}

TextFileCheck TextContentScanner::Result() const
{
    if (sawNul_) return {TextFileKind::kBinary, text::kNulBytes};
    if (sawControl_) return {TextFileKind::kBinary, text::kControlCharacters};
    const bool utf8 = utf8Valid_ && utf8Pending_ == 0;
    if (!utf8 && sawUndefinedInWindows1252_) return {TextFileKind::kBinary, text::kUndecodableBytes};
    if (!sawContent_) return {TextFileKind::kEmpty, {}};
    return {};
}

ReadResult<TextFileCheck> CheckTextFile(const std::string& path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return ReaderFault::Described(std::strerror(errno));
    TextContentScanner scanner;
    std::vector<char> block(1 << 20);
    for (;;) {
        const size_t read = std::fread(block.data(), 1, block.size(), file.get());
        scanner.Feed(std::string_view(block.data(), read));
        if (read < block.size()) break;
    }
    if (std::ferror(file.get())) return ReaderFault::Described(std::strerror(errno));
    return scanner.Result();
}

}  // namespace kalderon
