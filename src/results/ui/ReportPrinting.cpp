#include "results/ui/ReportPrinting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <string_view>

#include "results/PrintLayout.h"
#include "results/ui/ReportTextView.h"

namespace kalderon {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// The text area of a page in device pixels: the paper laid out by the
// report's geometry, its margins taken off, from the printable area's corner.
QRect TextArea(QPrinter& printer)
{
    const PrintDevice device{printer.width(), printer.height(), printer.widthMM(), printer.heightMM()};
    const QSizeF paperPoints = printer.pageLayout().fullRect(QPageLayout::Point).size();
    const PageGeometry page = ResultPageGeometry(device, static_cast<std::int32_t>(paperPoints.width() * 20),
                                                 static_cast<std::int32_t>(paperPoints.height() * 20));
    const double x = printer.logicalDpiX() / kTwipsPerInch;
    const double y = printer.logicalDpiY() / kTwipsPerInch;
    return QRect(static_cast<int>(page.marginX * x), static_cast<int>(page.marginY * y),
                 static_cast<int>((page.paperWidth - 2 * page.marginX) * x),
                 static_cast<int>((page.paperHeight - 2 * page.marginY) * y));
}

}  // namespace

bool PrintReport(QPrinter& printer, const ReportTextView& view)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QFont font(ReportTextView::ReportFont(), &printer);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const QRect area = TextArea(printer);
    const int lineHeight = metrics.lineSpacing();
    const int linesPerPage = std::max(1, area.height() / lineHeight);
    const size_t columns = static_cast<size_t>(std::max(1, area.width() / metrics.horizontalAdvance(QLatin1Char('M'))));
    const int firstPage = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int lastPage = printer.toPage() > 0 ? printer.toPage() : INT_MAX;

    int page = 1;
    int row = 0;
    bool pagePrinted = false;
    const auto printRow = [&](const QString& text) {
        if (row == linesPerPage) {
            row = 0;
            ++page;
        }
        if (page < firstPage || page > lastPage) {
            ++row;
            return;
        }
        if (row == 0 && pagePrinted) printer.newPage();
        painter.drawText(area.left(), area.top() + row * lineHeight + metrics.ascent(), text);
        pagePrinted = true;
        ++row;
    };
    for (qint64 line = 0; line < view.lineCount() && page <= lastPage; ++line) {
        const QString text = view.displayLine(line);
        const std::u16string_view cells(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
        size_t from = 0;
        for (size_t to : WrapPoints(cells, columns)) {
            printRow(text.mid(static_cast<qsizetype>(from), static_cast<qsizetype>(to - from)));
            from = to;
        }
        printRow(text.mid(static_cast<qsizetype>(from)));
    }
    return painter.end();
}

}  // namespace kalderon
