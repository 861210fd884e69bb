#pragma once

#include <string>

#include "results/ComparisonReport.h"
#include "results/ExportText.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// The report text and the semicolon-separated export text of one analysis,
// built in one pass from a copy of the analysis record; when asked for, the
// comparison of groups follows the report and has an export of its own.
class ResultReport {
public:
    // Keeps a copy of the record (the record itself when it is moved in)
    // and builds both texts; timeStamp is the already formatted creation time.
    void SetResults(CAnalysisData source, AnalysisKind kind, const std::string& timeStamp);

    // Appends a section to the report text and its lines to the export.
    void AppendSection(const std::string& section, const ExportText& exportLines)
    {
        reportText_ += section;
        exportText_.Append(exportLines);
    }

    // Appends the section to the report text and keeps its export.
    void AddComparison(ComparisonTexts comparison);

    const CAnalysisData& data() const { return data_; }
    AnalysisKind kind() const { return kind_; }
    const std::string& reportText() const { return reportText_; }
    const ExportText& exportParts() const { return exportText_; }
    // The export with "\n" line ends, built on every call.
    std::string exportText() const { return exportText_.Text(); }
    // Lines ended by "\n"; empty without a comparison or with an empty one.
    const std::string& comparisonExportText() const { return comparisonExportText_; }

private:
    void BuildReport(const std::string& timeStamp);

    CAnalysisData data_;
    AnalysisKind kind_ = kLifeTable;
    std::string reportText_;
    ExportText exportText_;
    std::string comparisonExportText_;
};

}  // namespace kalderon
