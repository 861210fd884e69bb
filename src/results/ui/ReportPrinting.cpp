#include "results/ui/ReportPrinting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

#include "results/PrintLayout.h"
#include "results/ui/PageSetup.h"
#include "results/ui/ReportTextView.h"

namespace kalderon {
namespace {

constexpr double kMillimetresPerTwip = 25.4 / 1440.0;

// The report font on the printer and the layout of the page's printable
// area in it.
struct ReportSheet {
    QFont font;
    double ascent = 0;
    ReportPage page;
    ReportPageLayout layout;
};

ReportSheet MeasureSheet(QPrinter& printer, const ReportTextView& view)
{
    ReportSheet sheet;
    sheet.font = QFont(ReportTextView::ReportFont(), &printer);
    const QFontMetricsF metrics(sheet.font, &printer);
    sheet.ascent = metrics.ascent();
    sheet.page = ReportPage{static_cast<double>(printer.width()), static_cast<double>(printer.height()),
                            metrics.horizontalAdvance(QLatin1Char('M')), metrics.lineSpacing(),
                            2 * metrics.lineSpacing()};
    sheet.layout = LayoutReportPage(sheet.page, static_cast<size_t>(view.widestColumns()));
    return sheet;
}

std::u16string_view Cells(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

// The rows a line prints as: where each begins, and its end.
std::vector<size_t> RowStarts(const QString& text, const ReportPageLayout& layout)
{
    std::vector<size_t> starts{0};
    if (layout.wraps)
        for (size_t point : WrapPoints(Cells(text), layout.columns)) starts.push_back(point);
    starts.push_back(static_cast<size_t>(text.size()));
    return starts;
}

std::vector<PageStart> Paginate(const ReportTextView& view, const ReportPageLayout& layout)
{
    return PaginateRows(static_cast<size_t>(view.lineCount()), layout.rowsPerPage, [&](size_t line) -> size_t {
        if (!layout.wraps) return 1;
        return WrapPoints(Cells(view.displayLine(static_cast<qint64>(line))), layout.columns).size() + 1;
    });
}

// The title at the left, the page number at the right, a rule below.
void DrawHeader(QPainter& painter, const ReportSheet& sheet, const QString& title, int page, int pageCount)
{
    painter.setFont(sheet.font);
    const QFontMetricsF metrics(sheet.font, painter.device());
    const QString number = QString::fromLatin1(PrintedPageNumber(page, pageCount));
    const double width = sheet.page.width;
    const double numberWidth = metrics.horizontalAdvance(number);
    const double titleRoom = std::max(0.0, width - numberWidth - 2 * sheet.page.charWidth);
    painter.drawText(QPointF(0, sheet.ascent), metrics.elidedText(title, Qt::ElideRight, titleRoom));
    painter.drawText(QPointF(width - numberWidth, sheet.ascent), number);
    const double rule = sheet.page.lineHeight * 1.25;
    painter.drawLine(QPointF(0, rule), QPointF(width, rule));
}

void DrawRows(QPainter& painter, const ReportSheet& sheet, const ReportTextView& view, PageStart start)
{
    painter.save();
    painter.translate(0, sheet.page.headerHeight);
    painter.scale(sheet.layout.scale, sheet.layout.scale);
    painter.setFont(sheet.font);
    int row = 0;
    size_t piece = start.piece;
    for (qint64 line = static_cast<qint64>(start.line); line < view.lineCount() && row < sheet.layout.rowsPerPage;
         ++line, piece = 0) {
        const QString text = view.displayLine(line);
        const std::vector<size_t> starts = RowStarts(text, sheet.layout);
        for (; piece + 1 < starts.size() && row < sheet.layout.rowsPerPage; ++piece, ++row) {
            const QString cells = text.mid(static_cast<qsizetype>(starts[piece]),
                                           static_cast<qsizetype>(starts[piece + 1] - starts[piece]));
            painter.drawText(QPointF(0, row * sheet.page.lineHeight + sheet.ascent), cells);
        }
    }
    painter.restore();
}

}  // namespace

QMarginsF ReportMargins(QPrinter& printer)
{
    const PrintDevice device{printer.width(), printer.height(), printer.widthMM(), printer.heightMM()};
    const QSizeF paperPoints = printer.pageLayout().fullRect(QPageLayout::Point).size();
    const PageGeometry page = ResultPageGeometry(device, static_cast<std::int32_t>(paperPoints.width() * 20),
                                                 static_cast<std::int32_t>(paperPoints.height() * 20));
    const double x = page.marginX * kMillimetresPerTwip;
    const double y = page.marginY * kMillimetresPerTwip;
    return printer.pageLayout().margins(QPageLayout::Millimeter) + QMarginsF(x, y, x, y);
}

void PrepareReportPrinter(QPrinter& printer, const ReportTextView& view)
{
    if (ApplyRememberedPageSetup(printer)) return;
    const QMarginsF own = printer.pageLayout().margins(QPageLayout::Millimeter);
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        printer.setPageMargins(own, QPageLayout::Millimeter);
        printer.setPageOrientation(orientation);
        printer.setPageMargins(ReportMargins(printer), QPageLayout::Millimeter);
        if (!ReportWrapsOn(printer, view)) return;
    }
}

bool ReportWrapsOn(QPrinter& printer, const ReportTextView& view) { return MeasureSheet(printer, view).layout.wraps; }

bool PrintReport(QPrinter& printer, const ReportTextView& view, const QString& title)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const ReportSheet sheet = MeasureSheet(printer, view);
    const std::vector<PageStart> pages = Paginate(view, sheet.layout);
    const int pageCount = static_cast<int>(pages.size());
    const int firstPage = std::max(1, printer.fromPage());
    const int lastPage = std::min(pageCount, printer.toPage() > 0 ? printer.toPage() : INT_MAX);
    for (int page = firstPage; page <= lastPage; ++page) {
        if (page > firstPage) printer.newPage();
        DrawHeader(painter, sheet, title, page, pageCount);
        DrawRows(painter, sheet, view, pages[static_cast<size_t>(page - 1)]);
    }
    return painter.end();
}

}  // namespace kalderon
