#include "results/ExportText.h"

#include <utility>

#include "results/SafeFileWrite.h"

namespace kalderon {
namespace {

// Collects output into a buffer that goes to the sink whenever it is full.
class ChunkedOutput {
public:
    ChunkedOutput(const ExportText::Sink& sink, bool crlf) : sink_(sink), crlf_(crlf) { buffer_.reserve(kSize); }
    ~ChunkedOutput() { Flush(); }

    void Put(std::string_view text)
    {
        if (!crlf_) {
            if (buffer_.size() + text.size() > kSize) Flush();
            if (text.size() >= kSize) {
                sink_(text);
                return;
            }
            buffer_.append(text);
            return;
        }
        for (const char c : text) {
            if (buffer_.size() + 2 > kSize) Flush();
            if (c == '\n') buffer_ += '\r';
            buffer_ += c;
        }
    }

private:
    static constexpr size_t kSize = 1 << 16;

    void Flush()
    {
        if (buffer_.empty()) return;
        sink_(buffer_);
        buffer_.clear();
    }

    const ExportText::Sink& sink_;
    bool crlf_;
    std::string buffer_;
};

}  // namespace

void ExportText::Append(std::string_view text)
{
    if (text.empty()) return;
    if (pieces_.empty() || pieces_.back().group != -1) pieces_.push_back(Piece{});
    pieces_.back().text.append(text);
}

void ExportText::BeginGroup(const std::string& code)
{
    groups_.push_back(code);
    currentGroup_ = static_cast<int>(groups_.size()) - 1;
}

void ExportText::AppendRow(std::string_view row)
{
    if (pieces_.empty() || pieces_.back().group != currentGroup_) pieces_.push_back(Piece{currentGroup_, {}, {}});
    pieces_.back().text.append(row);
    pieces_.back().rowEnds.push_back(pieces_.back().text.size());
}

void ExportText::Append(const ExportText& other)
{
    const int offset = static_cast<int>(groups_.size());
    groups_.insert(groups_.end(), other.groups_.begin(), other.groups_.end());
    for (Piece piece : other.pieces_) {
        if (piece.group >= 0) piece.group += offset;
        pieces_.push_back(std::move(piece));
    }
    currentGroup_ = other.currentGroup_ < 0 ? -1 : other.currentGroup_ + offset;
}

void ExportText::clear()
{
    groups_.clear();
    pieces_.clear();
    currentGroup_ = -1;
}

std::string ExportText::Text() const
{
    std::string text;
    Write([&text](std::string_view piece) { text.append(piece); }, false);
    return text;
}

void ExportText::Write(const Sink& sink, bool crlf) const
{
    ChunkedOutput out(sink, crlf);
    for (const Piece& piece : pieces_) {
        if (piece.group < 0) {
            out.Put(piece.text);
            continue;
        }
        const std::string& code = groups_[static_cast<size_t>(piece.group)];
        const std::string_view rows = piece.text;
        size_t begin = 0;
        for (const size_t end : piece.rowEnds) {
            out.Put(code);
            out.Put(";");
            out.Put(rows.substr(begin, end - begin));
            begin = end;
        }
    }
}

bool WriteExportFileSafely(const std::string& path, const ExportText& text, std::string& reason)
{
    return WriteFileSafely(
        path,
        [&text](const ByteWriter& write) {
            text.Write(write, true);
            return true;
        },
        reason);
}

}  // namespace kalderon
