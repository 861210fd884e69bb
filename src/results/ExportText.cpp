#include "results/ExportText.h"

#include <algorithm>

#include "common/LargeArrays.h"
#include "common/SafeFileWrite.h"

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
        while (!text.empty()) {
            const size_t lineEnd = text.find('\n');
            const size_t end = lineEnd == std::string_view::npos ? text.size() : lineEnd;
            Buffer(text.substr(0, end));
            if (lineEnd == std::string_view::npos) break;
            Buffer("\r\n");
            text.remove_prefix(end + 1);
        }
    }

private:
    static constexpr size_t kSize = 1 << 16;

    // Appends to the buffer, handing it on whenever it is full.
    void Buffer(std::string_view text)
    {
        while (!text.empty()) {
            if (buffer_.size() == kSize) Flush();
            const size_t taken = std::min(text.size(), kSize - buffer_.size());
            buffer_.append(text.substr(0, taken));
            text.remove_prefix(taken);
        }
    }

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

void ExportText::Reserve(size_t bytes)
{
    ReserveLarge(text_, text_.size() + bytes);
}

void ExportText::Append(std::string_view text)
{
    if (text.empty()) return;
    if (pieces_.empty() || pieces_.back().group != -1) pieces_.push_back(Piece{-1, text_.size(), {}});
    text_.append(text);
}

void ExportText::BeginGroup(const std::string& code)
{
    groups_.push_back(code);
    currentGroup_ = static_cast<int>(groups_.size()) - 1;
}

void ExportText::AppendRow(std::string_view row)
{
    if (pieces_.empty() || pieces_.back().group != currentGroup_)
        pieces_.push_back(Piece{currentGroup_, text_.size(), {}});
    text_.append(row);
    pieces_.back().rowEnds.push_back(text_.size());
}

void ExportText::Append(const ExportText& other)
{
    const int offset = static_cast<int>(groups_.size());
    groups_.insert(groups_.end(), other.groups_.begin(), other.groups_.end());
    const size_t shift = text_.size();
    text_.append(other.text_);
    for (Piece piece : other.pieces_) {
        if (piece.group >= 0) piece.group += offset;
        piece.begin += shift;
        for (size_t& end : piece.rowEnds) end += shift;
        pieces_.push_back(std::move(piece));
    }
    currentGroup_ = other.currentGroup_ < 0 ? -1 : other.currentGroup_ + offset;
    tables_.insert(tables_.end(), other.tables_.begin(), other.tables_.end());
}

void ExportText::BeginTable(const char* title, std::string_view header, bool groupColumn)
{
    ExportTable& table = tables_.emplace_back();
    table.title = title;
    table.headings = SplitFields(header);
    if (groupColumn) {
        table.headings.insert(table.headings.begin(), "Group");
        Append("Group;");
    }
    Append(header);
}

void ExportText::AppendTableRow(const ExportRow& row)
{
    const std::string line = row.line() + "\n";
    std::vector<WorkbookCell> cells = row.cells();
    if (currentGroup_ >= 0) {
        AppendRow(line);
        WorkbookCell code;
        SetTextCell(code, groups_[static_cast<size_t>(currentGroup_)]);
        cells.insert(cells.begin(), code);
    } else {
        Append(line);
    }
    if (!tables_.empty()) tables_.back().rows.push_back(std::move(cells));
}

void ExportText::clear()
{
    text_.clear();
    groups_.clear();
    pieces_.clear();
    currentGroup_ = -1;
    tables_.clear();
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
    const std::string_view all = text_;
    for (size_t p = 0; p < pieces_.size(); ++p) {
        const Piece& piece = pieces_[p];
        if (piece.group < 0) {
            const size_t end = p + 1 < pieces_.size() ? pieces_[p + 1].begin : all.size();
            out.Put(all.substr(piece.begin, end - piece.begin));
            continue;
        }
        const std::string& code = groups_[static_cast<size_t>(piece.group)];
        size_t begin = piece.begin;
        for (const size_t end : piece.rowEnds) {
            out.Put(code);
            out.Put(";");
            out.Put(all.substr(begin, end - begin));
            begin = end;
        }
    }
}

void ExportText::Drain(const Sink& sink, bool crlf)
{
    Write(sink, crlf);
    text_.clear();
    pieces_.clear();
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
