#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/TextFormat.h"
#include "resources/StringTable.h"
#include "results/ExportText.h"

namespace kalderon {

// Which of the two texts a writer writes; the other is left as it is.
enum class WrittenTexts { kReport, kExport };

// Appends to the report text and the semicolon-separated export text of one
// results window while its group sections are written.  Knows whether the
// export carries a group column, which section is being written and how
// many table rows that section has had.
class ReportWriter {
public:
    ReportWriter(std::string& report, ExportText& exportText, bool groupColumn, WrittenTexts texts);

    // `drain` is called after every table row, so that its owner can hand
    // on the text written so far.
    void DrainAfterEachRow(std::function<void()> drain) { drain_ = std::move(drain); }

    // Starts group section `index` (0 for the first) of the group `groupCode`.
    void BeginSection(int index, const std::string& groupCode);

    // Report text only.
    void Append(const std::string& text)
    {
        if (writesReport_) report_ += text;
    }
    // A string-table entry, formatted with args when there are any.
    template <typename... Args>
    void AppendString(int stringId, const Args&... args)
    {
        if (!writesReport_) return;
        if constexpr (sizeof...(Args) == 0)
            report_ += LoadString(stringId);
        else
            report_ += FormatText(LoadString(stringId), args...);
    }

    // Column headings of a result table: a string-table entry as
    // AppendString writes it, reworded for net survival when it is chosen.
    template <typename... Args>
    void AppendHeading(int stringId, const Args&... args)
    {
        if (!writesReport_) return;
        std::string heading;
        if constexpr (sizeof...(Args) == 0)
            heading = LoadString(stringId);
        else
            heading = FormatText(LoadString(stringId), args...);
        report_ += Reworded(heading);
    }

    // The export header line; written in the first section only, after
    // "Group;" when the export has a group column; reworded as headings are.
    void ExportHeader(const std::string& header);

    // Headings and export headers name the net survival in place of the
    // relative survival (the Pohar-Perme estimate fills that column).
    void UseNetSurvivalWording() { netSurvivalWording_ = true; }

    // One row of a table: a report line and its export line (after the group
    // code and ";" when the export has a group column).  Every fifth row of
    // a section is followed by an empty report line.
    void TableRow(const std::string& reportLine, const std::string& exportLine);
    // A line pair that is not counted as a table row.
    void UncountedRow(const std::string& reportLine, const std::string& exportLine);
    // A table row as TableRow writes it, its two lines formatted from the
    // same values straight into the texts.
    template <typename... Args>
    void FormattedTableRow(const PreparedFormat& reportFormat, const PreparedFormat& exportFormat, const Args&... args)
    {
        if (writesReport_) AppendText(report_, reportFormat, args...);
        if (writesExport_) {
            exportLine_.clear();
            AppendText(exportLine_, exportFormat, args...);
            AppendExportLine(exportLine_);
        }
        CountRow();
    }

private:
    std::string Reworded(std::string heading) const;
    void AppendExportLine(std::string_view exportLine);
    void CountRow();

    std::string& report_;
    ExportText& export_;
    bool groupColumn_;
    bool writesReport_;
    bool writesExport_;
    std::function<void()> drain_;
    int section_ = 0;
    int rowsInSection_ = 0;
    bool netSurvivalWording_ = false;
    std::string exportLine_;  // kept, so that each row reuses its room
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
void WriteTableHeading(ReportWriter& out, const TableHeading& heading, const std::string& ciLevelText,
                       std::int32_t timeUnit);

}  // namespace kalderon
