#include "import/ui/CFilePreview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <fstream>

#include "common/qt/DisplayText.h"

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
    return std::max(1, (viewport()->height() - rulerHeight() - 2) / rulerHeight());
}

QPoint CFilePreview::ViewportOrigin(int line, int column) const
{
    const int x = cellWidth() / 2 + column * cellWidth() - horizontalScrollBar()->value();
    const int y = line < 0 ? 0 : rulerHeight() + (line - firstShownLine()) * rulerHeight();
    return {x, y};
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
    const int lines = static_cast<int>(file_->lines.size());
    verticalScrollBar()->setRange(0, std::max(0, lines - shownLineCount()));
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
    const int cell = cellWidth();
    size_t position = 0;
    for (int field = 1; position < line.size(); ++field) {
        size_t stop = line.find(separator_, position);
        if (stop == std::string::npos) stop = line.size();
        QColor colour = kUnmarked;
        for (int role = 0; role < markCount_; ++role) {
            if (marks_[role].field == field) {
                colour = ReadableBehindText(MarkColour(role));
                break;
            }
        }
        const int x = ViewportOrigin(0, static_cast<int>(position)).x();
        painter.fillRect(x, top, static_cast<int>(stop - position) * cell, rulerHeight(), colour);
        position = stop + 1;
    }
}

void CFilePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, Qt::white);
    painter.setFont(PreviewFont());
    PaintRuler(painter);
    painter.setClipRect(area.adjusted(0, rulerHeight(), 0, 0));

    const QFontMetrics metrics(PreviewFont());
    const int cell = cellWidth();
    const int firstColumn = horizontalScrollBar()->value() / cell;
    const int columns = area.width() / cell + 2;
    const std::vector<std::string>& lines = file_->lines;
    for (size_t i = static_cast<size_t>(firstShownLine()); i < lines.size(); ++i) {
        const int top = ViewportOrigin(static_cast<int>(i), 0).y();
        if (top + rulerHeight() > area.bottom() - 2) break;
        const std::string& line = lines[i];
        if (mode_ == kDelimitedFields) PaintFields(painter, line, top);
        painter.setPen(Qt::black);
        const int shown = std::min(static_cast<int>(line.size()), firstColumn + columns);
        for (int k = firstColumn; k < shown; ++k) {
            const QPoint origin = ViewportOrigin(static_cast<int>(i), k);
            painter.drawText(origin.x(), origin.y() + metrics.ascent(), DisplayText(std::string(1, line[k])));
        }
    }
}

}  // namespace kalderon
