#include "results/ui/CResultEditView.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <utility>

#include "common/LineEnds.h"
#include "common/SafeFileWrite.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "common/ui/WaitCursor.h"
#include "resources/Texts.h"
#include "results/ReportClock.h"
#include "results/ResultWorkbook.h"
#include "results/ui/PrintPreview.h"
#include "results/ui/ReportPrinting.h"

namespace kalderon {
namespace {

constexpr int kSaveFilter = 201;
constexpr int kUnsavedQuestion = 220;
constexpr int kUnsavedFileQuestion = 221;
constexpr int kUnsavedCaption = 222;

// A message text with its "%s" placeholders filled in order.
QString Filled(QString text, const QStringList& values)
{
    qsizetype at = 0;
    for (const QString& value : values) {
        at = text.indexOf(QLatin1String("%s"), at);
        if (at < 0) break;
        text.replace(at, 2, value);
        at += value.size();
    }
    return text;
}

bool HasSuffix(const QString& path, const char* suffix)
{
    return QFileInfo(path).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}
bool IsCsvName(const QString& path) { return HasSuffix(path, "csv"); }
bool IsWorkbookName(const QString& path) { return HasSuffix(path, "xlsx"); }

// The report's file types and, last, the workbook.
QString SaveFilter()
{
    QString filter = UiString(kSaveFilter);
    while (filter.endsWith(QLatin1Char('|'))) filter.chop(1);
    return filter + QStringLiteral("|%1|*.xlsx||").arg(QString::fromLatin1(text::kWorkbookFilter));
}

// "name-compare.csv" or "name-summary.csv" beside "name.csv".
QString SecondExportPath(const QString& exportPath, const QString& suffix)
{
    const QFileInfo file(exportPath);
    return file.dir().filePath(file.completeBaseName() + suffix);
}

QString ComparisonExportPath(const QString& exportPath) { return SecondExportPath(exportPath, QStringLiteral("-compare.csv")); }
QString SummaryExportPath(const QString& exportPath) { return SecondExportPath(exportPath, QStringLiteral("-summary.csv")); }

}  // namespace

CResultEditView::CResultEditView(AppServices& services, QWidget* parent) : ReportTextView(parent), services_(services)
{
    setObjectName(QStringLiteral("resultView"));
}

// The text shown is report_'s, which goes before the view does.
CResultEditView::~CResultEditView() { setBytes(nullptr); }

void CResultEditView::SetResults(const CAnalysisData& source, AnalysisKind kind)
{
    ResultReport report;
    report.SetResults(source, kind, FormatReportTimeStamp(ReportTime()));
    SetResults(std::move(report));
}

void CResultEditView::SetResults(ResultReport report)
{
    setBytes(nullptr);
    report_ = std::move(report);
    setBytes(&report_.reportText());
}

int CResultEditView::SaveAs()
{
    const QString path = services_.fileDialogs.SaveFileName(this, QStringLiteral("Save As"), FileKind::kReport,
                                                            SaveFilter(), QStringLiteral("TXT"));
    if (path.isEmpty()) return 0;
    if (IsWorkbookName(path)) return SaveWorkbook(path);
    const bool csv = IsCsvName(path);
    const bool comparison = csv && !report_.comparisonExportText().empty();
    const bool summaries = csv && !report_.summaryExportText().empty();
    std::string reason;
    QString failedPath;
    {
        WaitCursor wait;
        const bool written = csv ? WriteExportFileSafely(PathBytes(path), report_.exportParts(), reason)
                                 : WriteFileSafely(PathBytes(path), reportText(), reason);
        if (!written) {
            failedPath = path;
        } else if (comparison) {
            const QString comparisonPath = ComparisonExportPath(path);
            if (!WriteFileSafely(PathBytes(comparisonPath), ToCrLf(report_.comparisonExportText()), reason))
                failedPath = comparisonPath;
        }
        if (failedPath.isEmpty() && written && summaries &&
            !WriteFileSafely(PathBytes(SummaryExportPath(path)), ToCrLf(report_.summaryExportText()), reason))
            failedPath = SummaryExportPath(path);
    }
    if (!failedPath.isEmpty()) {
        services_.messages.Show(this,
                                Filled(QString::fromLatin1(text::kFileNotWritten), {failedPath, DisplayText(reason)}));
        return 0;
    }
    if (!csv) {
        if (savedPath_.empty() && parentWidget()) analysisTitle_ = parentWidget()->windowTitle();
        savedPath_ = PathBytes(path);
        emit titleChanged(SavedFileTitle(path, analysisTitle_));
    }
    unsavedFlag_ = 0;
    if (comparison)
        services_.messages.Show(this,
                                Filled(QString::fromLatin1(text::kComparisonSavedBeside), {ComparisonExportPath(path)}));
    if (summaries)
        services_.messages.Show(this,
                                Filled(QString::fromLatin1(text::kSummariesSavedBeside), {SummaryExportPath(path)}));
    return 1;
}

int CResultEditView::SaveWorkbook(const QString& path)
{
    std::string reason;
    bool written = false;
    {
        WaitCursor wait;
        written = WriteResultWorkbook(report_, PathBytes(path), reason);
    }
    if (!written) {
        services_.messages.Show(this, Filled(QString::fromLatin1(text::kFileNotWritten), {path, DisplayText(reason)}));
        return 0;
    }
    unsavedFlag_ = 0;
    return 1;
}

bool CResultEditView::QuerySaveOnClose()
{
    if (unsavedFlag_ == 0) return true;
    const QString question = savedPath_.empty() ? UiString(kUnsavedQuestion)
                                                : Filled(UiString(kUnsavedFileQuestion), {DisplayText(savedPath_)});
    switch (services_.messages.Ask(this, question, UiString(kUnsavedCaption))) {
    case Messages::Answer::Yes: return SaveAs() == 1;
    case Messages::Answer::No: return true;
    default: return false;
    }
}

void CResultEditView::PreparePrinter(QPrinter& printer)
{
    printer.setDocName(WindowTitle(*this));
    PrepareReportPrinter(printer, *this);
    if (ReportWrapsOn(printer, *this)) services_.messages.Show(this, QString::fromLatin1(text::kReportLinesWrapped));
}

void CResultEditView::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    WaitCursor wait;
    PrintTo(printer);
}

void CResultEditView::PrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    ShowPrintPreview(printer, this, [this](QPrinter& target) { PrintTo(target); });
}

bool CResultEditView::PrintTo(QPrinter& printer) const { return PrintReport(printer, *this, WindowTitle(*this)); }

}  // namespace kalderon
