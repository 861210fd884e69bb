#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "results/ExportTable.h"

namespace kalderon {

// The semicolon-separated export of a results window.  In an export with a
// group column every row of a group section starts with the group's code;
// the code is kept once per section rather than once per row, so the export
// takes memory in proportion to its numbers however long the codes are.
class ExportText {
public:
    using Sink = std::function<void(std::string_view)>;

    // Text that belongs to no group section (the header line).
    void Append(std::string_view text);
    // Rows appended from now on start with `code` and ";".
    void BeginGroup(const std::string& code);
    // One row, normally ended by "\n".
    void AppendRow(std::string_view row);
    // The whole of `other` after what this text holds, its rows with their
    // own group codes, and its tables.
    void Append(const ExportText& other);

    // A table, its header line appended (with "Group;" before it when its
    // rows start with their group's code); its rows are kept as values too.
    void BeginTable(const char* title, std::string_view header, bool groupColumn = false);
    // A row of the current table, as AppendRow within a group.
    void AppendTableRow(const ExportRow& row);
    const std::vector<ExportTable>& tables() const { return tables_; }

    bool empty() const { return pieces_.empty(); }
    // Bytes of text held, without the group codes.
    size_t size() const { return text_.size(); }
    void clear();
    // Room for this many more bytes of text, so that appending them moves
    // nothing.
    void Reserve(size_t bytes);

    // The whole text with "\n" line ends.
    std::string Text() const;
    // Hands the whole text to `sink` in pieces of a bounded size, with
    // "\r\n" line ends when `crlf`.
    void Write(const Sink& sink, bool crlf) const;
    // Writes the text so far as Write does and lets it go; rows appended
    // afterwards still start with the current group's code.
    void Drain(const Sink& sink, bool crlf);

private:
    // A stretch of text_ from `begin` to the next piece's begin.
    struct Piece {
        int group = -1;  // index into groups_, -1 for text without a group
        size_t begin = 0;
        std::vector<size_t> rowEnds;  // where each row of a group piece ends in text_
    };
    std::string text_;
    std::vector<std::string> groups_;
    std::vector<Piece> pieces_;
    int currentGroup_ = -1;
    std::vector<ExportTable> tables_;
};

// Writes the export with "\r\n" line ends to `path` as WriteFileSafely does.
bool WriteExportFileSafely(const std::string& path, const ExportText& text, std::string& reason);

}  // namespace kalderon
