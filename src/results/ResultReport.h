#pragma once

#include <string>
#include <vector>

#include "results/ComparisonReport.h"
#include "results/ExportText.h"
#include "results/ResultTextWriter.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// When the texts of a report are made: at once, to be shown and kept, or
// only while they are written out, piece by piece, so that neither is ever
// held whole.
enum class TextBuilding { kNow, kWhenWritten };

// The report text and the semicolon-separated export text of one analysis,
// built from a copy of the analysis record, the two side by side on two
// threads; when asked for, the comparison of groups follows the report and
// has an export of its own.
class ResultReport {
public:
    // Keeps a copy of the record (the record itself when it is moved in)
    // and builds both texts; timeStamp is the already formatted creation time.
    // When they are built as they are written, reportText() and
    // exportParts() hold only what is appended after the group sections.
    void SetResults(CAnalysisData source, AnalysisKind kind, const std::string& timeStamp,
                    TextBuilding building = TextBuilding::kNow);

    // Appends a section to the report text and its lines to the export.
    void AppendSection(const std::string& section, const ExportText& exportLines)
    {
        reportText_ += section;
        exportText_.Append(exportLines);
    }

    // Appends the section to the report text and keeps its export.
    void AddComparison(ComparisonTexts comparison);
    // The same for the survival at chosen times, the conditional survival
    // and the restricted mean survival time, after the comparison.
    void AddSummaries(ComparisonTexts summaries);

    const CAnalysisData& data() const { return data_; }
    AnalysisKind kind() const { return kind_; }
    const std::string& timeStamp() const { return timeStamp_; }
    const std::string& reportText() const { return reportText_; }
    const ExportText& exportParts() const { return exportText_; }
    // The export with "\n" line ends, built on every call.
    std::string exportText() const { return exportText_.Text(); }
    // Lines ended by "\n"; empty without a comparison or with an empty one.
    const std::string& comparisonExportText() const { return comparisonExportText_; }
    // Lines ended by "\n"; empty when none of the summaries was asked for.
    const std::string& summaryExportText() const { return summaryExportText_; }

    // The whole report text, and the whole export with "\r\n" line ends
    // when `crlf`, handed to `sink` in pieces of about `pieceBytes` when they
    // are built as they are written.
    void WriteReport(const ExportText::Sink& sink, size_t pieceBytes = kPieceBytes) const;
    void WriteExport(const ExportText::Sink& sink, bool crlf, size_t pieceBytes = kPieceBytes) const;

    // The header and the group sections of the text that `out` writes.
    void WriteSections(ResultTextWriter& out) const;
    // Whether the export has a group column: more than one group section.
    bool HasGroupColumn() const;
    // The tables of the sections after the group sections, then those of
    // the comparison and the summaries, as values.
    std::vector<ExportTable> TablesAfterGroups() const;

private:
    static constexpr size_t kPieceBytes = 1 << 20;

    CAnalysisData data_;
    AnalysisKind kind_ = kLifeTable;
    std::string timeStamp_;
    TextBuilding building_ = TextBuilding::kNow;
    std::string reportText_;
    ExportText exportText_;
    std::string comparisonExportText_;
    std::string summaryExportText_;
    std::vector<ExportTable> comparisonTables_;
    std::vector<ExportTable> summaryTables_;
};

}  // namespace kalderon
