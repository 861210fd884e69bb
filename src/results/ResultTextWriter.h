#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "common/TextFormat.h"
#include "resources/StringTable.h"

namespace kalderon {

// The format of a line as a section gives it: a text, or a format taken
// apart once for the many rows of a table.  It refers to the format without
// copying it, so it lives no longer than the call it is passed to.
class LineFormat {
public:
    LineFormat(const char* text) : text_(text) {}
    LineFormat(const std::string& text) : text_(text.c_str()) {}
    LineFormat(const PreparedFormat& prepared) : prepared_(&prepared) {}

    void AppendTo(std::string& out, const PrintfValue* values, size_t count) const;
    const char* text() const { return prepared_ ? prepared_->text().c_str() : text_; }

private:
    const char* text_ = nullptr;
    const PreparedFormat* prepared_ = nullptr;
};

// Writes one of the two texts of a result report, the report text
// (ReportTextWriter) or the semicolon-separated export (ExportTextWriter),
// while the report header and the group sections are written.  They say
// each line once for both texts; a writer keeps the lines of its own text.
// Knows which section is being written and how many table rows that section
// has had.
class ResultTextWriter {
public:
    ResultTextWriter() = default;
    ResultTextWriter(const ResultTextWriter&) = delete;
    ResultTextWriter& operator=(const ResultTextWriter&) = delete;
    virtual ~ResultTextWriter() = default;

    // `drain` is called after every table row, so that its owner can hand
    // on the text written so far.
    void DrainAfterEachRow(std::function<void()> drain) { drain_ = std::move(drain); }

    // Headings and export headers name the net survival in place of the
    // relative survival (the Pohar-Perme estimate fills that column).
    void UseNetSurvivalWording() { netSurvivalWording_ = true; }

    // Starts group section `index` (0 for the first) of the group `groupCode`.
    virtual void BeginSection(int index, const std::string& groupCode);

    // Report text only.
    virtual void Append(std::string_view text) = 0;
    // A string-table entry, formatted with args when there are any.
    template <typename... Args>
    void AppendString(int stringId, const Args&... args)
    {
        const auto values = PrintfArguments(args...);
        AppendReportLine(LoadString(stringId), values.data(), values.size(), false);
    }
    // Column headings of a result table: a string-table entry as
    // AppendString writes it, reworded for net survival when it is chosen.
    template <typename... Args>
    void AppendHeading(int stringId, const Args&... args)
    {
        const auto values = PrintfArguments(args...);
        AppendReportLine(LoadString(stringId), values.data(), values.size(), true);
    }

    // The export header line; written in the first section only, after
    // "Group;" when the export has a group column; reworded as headings are.
    virtual void ExportHeader(const std::string& header) = 0;

    // One row of a table: a report line and its export line (after the group
    // code and ";" when the export has a group column), both formatted from
    // `args`, of which each takes as many as it has conversions.  Every fifth
    // row of a section is followed by an empty report line.
    template <typename... Args>
    void TableRow(LineFormat reportLine, LineFormat exportLine, const Args&... args)
    {
        UncountedRow(reportLine, exportLine, args...);
        CountRow();
    }
    // The next row is counted as the first of a new table in the section.
    void RestartRowCount() { rowsInSection_ = 0; }
    // A line pair that is not counted as a table row.
    template <typename... Args>
    void UncountedRow(LineFormat reportLine, LineFormat exportLine, const Args&... args)
    {
        const auto values = PrintfArguments(args...);
        AppendRow(reportLine, exportLine, values.data(), values.size());
    }

protected:
    bool InFirstSection() const { return section_ == 0; }
    std::string Reworded(std::string text) const;

private:
    // `format` as it stands without values; `reworded` as a heading.
    virtual void AppendReportLine(const std::string& format, const PrintfValue* values, size_t count,
                                  bool reworded) = 0;
    virtual void AppendRow(LineFormat reportLine, LineFormat exportLine, const PrintfValue* values,
                           size_t count) = 0;
    // After a counted row, the section's `rowsInSection`th.
    virtual void EndRow(int rowsInSection) = 0;
    void CountRow();

    std::function<void()> drain_;
    int section_ = 0;
    int rowsInSection_ = 0;
    bool netSurvivalWording_ = false;
};

// The heading of a result table: the line naming the confidence level, the
// column line of the time unit (year, month, week, day; an unknown unit
// counts as year), the rule under it, and the export header that goes with
// them.
struct TableHeading {
    int levelLine;
    int unitLines[4];
    int ruleLine;
    const char* exportHeader;
};
void WriteTableHeading(ResultTextWriter& out, const TableHeading& heading, const std::string& ciLevelText,
                       std::int32_t timeUnit);

}  // namespace kalderon
