#include "import/ui/CFilePreview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <fstream>

#include "common/qt/DisplayText.h"
#include "import/DelimitedFields.h"

namespace kalderon {
namespace {

constexpr size_t kLinesKept = 1000;  // the lines the preview scrolls through
const QColor kUnmarked(192, 192, 192);
const QColor kNoColourTable(255, 255, 0);

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double ContrastWithBlack(const QColor& colour) { return (Luminance(colour) + 0.05) / 0.05; }

}  // namespace

QColor ReadableBehindText(const QColor& colour)
{
    constexpr double kReadable = 7.0;
    QColor mixed = colour;
    for (int step = 1; ContrastWithBlack(mixed) < kReadable && step <= 10; ++step) {
        const auto towardWhite = [step](int value) { return value + (255 - value) * step / 10; };
        mixed = QColor(towardWhite(colour.red()), towardWhite(colour.green()), towardWhite(colour.blue()));
    }
    return mixed;
}

const std::array<QColor, kRoleCount>& RoleColours()
{
    static const std::array<QColor, kRoleCount> colours = {
        QColor(0, 255, 0), QColor(255, 0, 0), QColor(255, 255, 0),
        QColor(128, 192, 255), QColor(247, 162, 68), QColor(193, 130, 227),
    };
    return colours;
}

std::shared_ptr<const PreviewLines> PreviewLines::Scan(const std::string& path)
{
    auto scan = std::make_shared<PreviewLines>();
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A longer line is read as several lines of at most kLongestLine characters.
        size_t start = 0;
        do {
            const size_t length = std::min(line.size() - start, static_cast<size_t>(kLongestLine));
            scan->maxLineLength = std::max(scan->maxLineLength, static_cast<int>(length));
            if (scan->lines.size() < kLinesKept) scan->lines.push_back(line.substr(start, length));
            start += kLongestLine;
        } while (start < line.size());
    }
    return scan;
}

CFilePreview::CFilePreview(QWidget* parent) : QAbstractScrollArea(parent), file_(std::make_shared<PreviewLines>())
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
}

void CFilePreview::SetFile(std::shared_ptr<const PreviewLines> file)
{
    file_ = std::move(file);
    UpdateScrollRanges();
    viewport()->update();
}

void CFilePreview::SetMode(Mode mode, int markCount, bool roleColours)
{
    mode_ = mode;
    markCount_ = markCount;
    roleColours_ = roleColours;
    marks_ = {};
    viewport()->update();
}

void CFilePreview::SetFieldMark(int role, int field)
{
    marks_[role].field = field;
    viewport()->update();
}

void CFilePreview::SetRangeMark(int role, int first, int last)
{
    marks_[role].first = first;
    marks_[role].last = last;
    viewport()->update();
}

void CFilePreview::ClearMark(int role)
{
    marks_[role] = Mark();
    viewport()->update();
}

void CFilePreview::SetSeparator(char separator)
{
    separator_ = separator;
    viewport()->update();
}

void CFilePreview::SetQuoting(bool quoting)
{
    quoting_ = quoting;
    viewport()->update();
}

void CFilePreview::SetFieldNamesLine(bool namesLine)
{
    namesLine_ = namesLine;
    UpdateScrollRanges();
    viewport()->update();
}

int CFilePreview::headingLine() const
{
    if (!namesLine_ || mode_ != kDelimitedFields) return -1;
    const std::vector<std::string>& lines = file_->lines;
    const auto named = std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return !line.empty(); });
    return named == lines.end() ? -1 : static_cast<int>(named - lines.begin());
}

int CFilePreview::scrolledLineCount() const
{
    return static_cast<int>(file_->lines.size()) - (headingLine() >= 0 ? 1 : 0);
}

int CFilePreview::FileLine(int scrolledLine) const
{
    const int heading = headingLine();
    return heading >= 0 && scrolledLine >= heading ? scrolledLine + 1 : scrolledLine;
}

QFont CFilePreview::PreviewFont() const
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

int CFilePreview::cellWidth() const
{
    return std::max(1, QFontMetrics(PreviewFont()).horizontalAdvance(QStringLiteral("0123456789")) / 10);
}

int CFilePreview::rulerHeight() const { return QFontMetrics(PreviewFont()).height(); }

int CFilePreview::firstShownLine() const { return verticalScrollBar()->value(); }

int CFilePreview::shownLineCount() const
{
    const int fixedRows = headingLine() >= 0 ? 2 : 1;
    return std::max(1, (viewport()->height() - fixedRows * rulerHeight() - 2) / rulerHeight());
}

QPoint CFilePreview::ViewportOrigin(int line, int column) const
{
    const int x = cellWidth() / 2 + column * cellWidth() - horizontalScrollBar()->value();
    if (line < 0) return {x, 0};
    const int heading = headingLine();
    if (line == heading) return {x, rulerHeight()};
    const int scrolled = heading >= 0 && line > heading ? line - 1 : line;
    const int firstTop = (heading >= 0 ? 2 : 1) * rulerHeight();
    return {x, firstTop + (scrolled - firstShownLine()) * rulerHeight()};
}

QPoint CFilePreview::CharacterOrigin(int line, int column) const
{
    return viewport()->geometry().topLeft() + ViewportOrigin(line, column);
}

void CFilePreview::ScrollTo(int line, int column)
{
    verticalScrollBar()->setValue(line);
    horizontalScrollBar()->setValue(column * cellWidth());
}

QSize CFilePreview::sizeHint() const { return {460, 150}; }

// Lines scroll by whole lines under the ruler, which stays; both scroll
// sideways by characters.
void CFilePreview::UpdateScrollRanges()
{
    verticalScrollBar()->setRange(0, std::max(0, scrolledLineCount() - shownLineCount()));
    verticalScrollBar()->setPageStep(shownLineCount());
    const int width = (file_->maxLineLength + 1) * cellWidth();
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setSingleStep(cellWidth());
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void CFilePreview::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CFilePreview::scrollContentsBy(int, int) { viewport()->update(); }

QColor CFilePreview::MarkColour(int role) const
{
    return roleColours_ ? RoleColours()[role] : kNoColourTable;
}

void CFilePreview::PaintRuler(QPainter& painter) const
{
    const QRect area = viewport()->rect();
    const int cell = cellWidth();
    const int height = rulerHeight();
    painter.fillRect(area.left(), area.top(), area.width(), height, kUnmarked);

    if (mode_ == kCharacterRanges) {
        for (int role = markCount_ - 1; role >= 0; --role) {
            const Mark& mark = marks_[role];
            if (mark.first == 0 || mark.first > mark.last) continue;
            const QPoint start = ViewportOrigin(-1, mark.first - 1);
            const QPoint end = ViewportOrigin(-1, mark.last);
            painter.fillRect(start.x(), area.top(), end.x() - start.x(), height, MarkColour(role));
            const int tip = std::max(3, cell / 2 + 1);
            painter.setPen(Qt::black);
            painter.setBrush(MarkColour(role));
            painter.drawPolygon(QPolygon({{start.x(), area.top()}, {start.x() + tip, area.top()}, {start.x(), area.top() + tip}}));
        }
    }

    // Ticks at every character, and the number of every tenth character in
    // the upper part of the strip, right of its tick, where the short ticks
    // after it leave room.
    painter.setPen(Qt::black);
    QFont numberFont = PreviewFont();
    numberFont.setPixelSize(std::max(7, height * 3 / 5));
    const int bottom = area.top() + height - 1;
    const int firstShown = std::max(1, horizontalScrollBar()->value() / cell - 4);
    for (int position = firstShown; ViewportOrigin(-1, position - 1).x() < area.right(); ++position) {
        const int x = ViewportOrigin(-1, position - 1).x() + cell / 2;
        const int tick = position % 10 == 0 ? height : position % 5 == 0 ? height / 2 : height / 3;
        painter.drawLine(x, bottom, x, bottom - tick + 1);
        if (position % 10 != 0) continue;
        painter.setFont(numberFont);
        painter.drawText(QRect(x + 2, area.top(), 4 * cell, height - height / 3), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(position));
        painter.setFont(PreviewFont());
    }
}

// Cuts the line at the separator as the importer does and fills each field
// in the colour of the role that takes it.
void CFilePreview::PaintFields(QPainter& painter, const std::string& line, int top) const
{
    if (separator_ == '\0') return;
    const std::vector<FieldSpan> spans = FieldSpans(line, separator_, quoting_);
    for (size_t i = 0; i < spans.size(); ++i) {
        const int field = static_cast<int>(i + 1);
        QColor colour = kUnmarked;
        for (int role = 0; role < markCount_; ++role) {
            if (marks_[role].field == field) {
                colour = ReadableBehindText(MarkColour(role));
                break;
            }
        }
        const int x = ViewportOrigin(0, static_cast<int>(spans[i].begin)).x();
        painter.fillRect(x, top, static_cast<int>(spans[i].end - spans[i].begin) * cellWidth(), rulerHeight(), colour);
    }
}

void CFilePreview::PaintLine(QPainter& painter, const std::string& line, int top, const QFont& font) const
{
    if (mode_ == kDelimitedFields) PaintFields(painter, line, top);
    painter.setPen(Qt::black);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int firstColumn = horizontalScrollBar()->value() / cellWidth();
    const int shown = std::min(static_cast<int>(line.size()), firstColumn + viewport()->width() / cellWidth() + 2);
    for (int k = firstColumn; k < shown; ++k) {
        const QPoint origin = ViewportOrigin(0, k);
        painter.drawText(origin.x(), top + metrics.ascent(), DisplayText(std::string(1, line[k])));
    }
}

void CFilePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, Qt::white);
    painter.setFont(PreviewFont());
    PaintRuler(painter);

    const std::vector<std::string>& lines = file_->lines;
    const int heading = headingLine();
    painter.setClipRect(area.adjusted(0, (heading >= 0 ? 2 : 1) * rulerHeight(), 0, 0));
    for (int scrolled = firstShownLine(); scrolled < scrolledLineCount(); ++scrolled) {
        const int line = FileLine(scrolled);
        const int top = ViewportOrigin(line, 0).y();
        if (top + rulerHeight() > area.bottom() - 2) break;
        PaintLine(painter, lines[line], top, PreviewFont());
    }
    if (heading < 0) return;
    painter.setClipRect(area.adjusted(0, rulerHeight(), 0, 0));
    QFont bold = PreviewFont();
    bold.setBold(true);
    PaintLine(painter, lines[heading], rulerHeight(), bold);
    painter.setPen(Qt::black);
    painter.drawLine(area.left(), 2 * rulerHeight() - 1, area.right(), 2 * rulerHeight() - 1);
}

}  // namespace kalderon
