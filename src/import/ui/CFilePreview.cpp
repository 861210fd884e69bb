#include "import/ui/CFilePreview.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <fstream>

#include "common/ui/DisplayText.h"

namespace kalderon {
namespace {

constexpr size_t kLinesKept = 200;  // more than any preview shows
const QColor kUnmarked(192, 192, 192);
const QColor kNoColourTable(255, 255, 0);

}  // namespace

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

CFilePreview::CFilePreview(QWidget* parent) : QFrame(parent), file_(std::make_shared<PreviewLines>())
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CFilePreview::SetFile(std::shared_ptr<const PreviewLines> file)
{
    file_ = std::move(file);
    update();
}

void CFilePreview::SetMode(Mode mode, int markCount, bool roleColours)
{
    mode_ = mode;
    markCount_ = markCount;
    roleColours_ = roleColours;
    marks_ = {};
    update();
}

void CFilePreview::SetFieldMark(int role, int field)
{
    marks_[role].field = field;
    update();
}

void CFilePreview::SetRangeMark(int role, int first, int last)
{
    marks_[role].first = first;
    marks_[role].last = last;
    update();
}

void CFilePreview::ClearMark(int role)
{
    marks_[role] = Mark();
    update();
}

void CFilePreview::SetSeparator(char separator)
{
    separator_ = separator;
    update();
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

QPoint CFilePreview::CharacterOrigin(int line, int column) const
{
    const QRect area = contentsRect();
    return {area.left() + cellWidth() / 2 + column * cellWidth(), area.top() + rulerHeight() + line * rulerHeight()};
}

QSize CFilePreview::sizeHint() const { return {460, 150}; }

QColor CFilePreview::MarkColour(int role) const
{
    return roleColours_ ? RoleColours()[role] : kNoColourTable;
}

void CFilePreview::PaintRuler(QPainter& painter) const
{
    const QRect area = contentsRect();
    const int cell = cellWidth();
    const int height = rulerHeight();
    painter.fillRect(area.left(), area.top(), area.width(), height, kUnmarked);

    if (mode_ == kCharacterRanges) {
        for (int role = markCount_ - 1; role >= 0; --role) {
            const Mark& mark = marks_[role];
            if (mark.first == 0 || mark.first > mark.last) continue;
            const QPoint start = CharacterOrigin(-1, mark.first - 1);
            const QPoint end = CharacterOrigin(-1, mark.last);
            painter.fillRect(start.x(), area.top(), end.x() - start.x(), height, MarkColour(role));
            const int tip = std::max(3, cell / 2 + 1);
            painter.setPen(Qt::black);
            painter.setBrush(MarkColour(role));
            painter.drawPolygon(QPolygon({{start.x(), area.top()}, {start.x() + tip, area.top()}, {start.x(), area.top() + tip}}));
        }
    }

    painter.setPen(Qt::black);
    const int bottom = area.top() + height - 1;
    for (int position = 1; CharacterOrigin(0, position - 1).x() < area.right(); ++position) {
        const int x = CharacterOrigin(0, position - 1).x() + cell / 2;
        const int tick = position % 10 == 0 ? height : position % 5 == 0 ? height / 2 : height / 3;
        painter.drawLine(x, bottom, x, bottom - tick + 1);
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
                colour = MarkColour(role);
                break;
            }
        }
        const int x = CharacterOrigin(0, static_cast<int>(position)).x();
        painter.fillRect(x, top, static_cast<int>(stop - position) * cell, rulerHeight(), colour);
        position = stop + 1;
    }
}

void CFilePreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.fillRect(area, Qt::white);
    painter.setFont(PreviewFont());
    PaintRuler(painter);

    const QFontMetrics metrics(PreviewFont());
    const int cell = cellWidth();
    const int columns = area.width() / cell + 1;
    const std::vector<std::string>& lines = file_->lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int top = CharacterOrigin(static_cast<int>(i), 0).y();
        if (top + rulerHeight() > area.bottom() - 2) break;
        const std::string& line = lines[i];
        if (mode_ == kDelimitedFields) PaintFields(painter, line, top);
        painter.setPen(Qt::black);
        const int shown = std::min(static_cast<int>(line.size()), columns);
        for (int k = 0; k < shown; ++k) {
            const QPoint origin = CharacterOrigin(static_cast<int>(i), k);
            painter.drawText(origin.x(), origin.y() + metrics.ascent(), DisplayText(std::string(1, line[k])));
        }
    }
}

}  // namespace kalderon
