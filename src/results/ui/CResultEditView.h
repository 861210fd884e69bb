#pragma once

#include <QString>
#include <string>

#include "results/ResultReport.h"
#include "results/ui/ReportTextView.h"

class QPrinter;

namespace kalderon {

struct AppServices;

// The view of a results window: the fixed report of one analysis, built by
// the core from the view's own copy of the analysis record, shown read-only
// in a fixed-pitch font.  It saves the report or the semicolon-separated
// export, prints the report and asks before a window with unsaved results
// closes.
class CResultEditView : public ReportTextView {
    Q_OBJECT
public:
    explicit CResultEditView(AppServices& services, QWidget* parent = nullptr);
    ~CResultEditView() override;

    // Copies the record and builds the report and export texts, stamped with
    // the report clock.
    void SetResults(const CAnalysisData& source, AnalysisKind kind);
    // Shows a report the analysis has built already.
    void SetResults(ResultReport report);

    const CAnalysisData& data() const { return report_.data(); }
    AnalysisKind kind() const { return report_.kind(); }
    const std::string& reportText() const { return report_.reportText(); }
    std::string exportText() const { return report_.exportText(); }
    int unsavedFlag() const { return unsavedFlag_; }
    const std::string& savedPath() const { return savedPath_; }

    // Save as: asks for a file name and writes the export (a .csv name),
    // the workbook (an .xlsx name, WriteResultWorkbook) or the report.  The export of a comparison of groups goes to
    // "name-compare.csv" beside the export "name.csv", which a message
    // says.  1 when written, 0 when cancelled or failed.
    int SaveAs();
    // Whether the window may close, asking about unsaved results.
    bool QuerySaveOnClose();
    // Print: the print dialog, then the report on the chosen printer.
    void Print();
    // Print preview: the printed pages in the preview dialog.
    void PrintPreview();
    // The report on the printer as it is set up, headed by the window's
    // title; false when the printer cannot be used.
    bool PrintTo(QPrinter& printer) const;

signals:
    // The report was saved to a file: the window's title from now on names
    // the file beside the analysis (SavedFileTitle).
    void titleChanged(const QString& title);

private:
    int SaveWorkbook(const QString& path);
    // The printer set up for the report; says when lines have to wrap.
    void PreparePrinter(QPrinter& printer);

    AppServices& services_;
    ResultReport report_;
    int unsavedFlag_ = 1;
    std::string savedPath_;
    QString analysisTitle_;  // the window's title until the report was first saved
};

}  // namespace kalderon
