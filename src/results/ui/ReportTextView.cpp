#include "results/ui/ReportTextView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "common/qt/DisplayText.h"
#include "results/ui/ReportTextAccessible.h"

namespace kalderon {
namespace {

constexpr int kTabColumns = 8;
constexpr int kLeftMargin = 4;

bool AllAscii(const char* begin, const char* end)
{
    for (const char* p = begin; p != end; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80) return false;
    return true;
}

// Bytes of the line end at the end of [begin, end): "\r\n", "\n" or none.
qint64 LineEndBytes(const char* begin, const char* end)
{
    if (end == begin || end[-1] != '\n') return 0;
    return end - begin >= 2 && end[-2] == '\r' ? 2 : 1;
}

qint64 ExpandedColumns(const QString& text)
{
    qint64 column = 0;
    for (QChar c : text) column = c == QLatin1Char('\t') ? (column / kTabColumns + 1) * kTabColumns : column + 1;
    return column;
}

}  // namespace

ReportTextView::ReportTextView(QWidget* parent) : QAbstractScrollArea(parent)
{
    InstallReportTextAccessibility();
    setFont(ReportFont());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    setBytes(nullptr);
}

QFont ReportTextView::ReportFont()
{
    QFont font(QStringLiteral("Liberation Mono"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(false);
    return font;
}

void ReportTextView::setBytes(const std::string* bytes)
{
    bytes_ = bytes;
    anchor_ = caret_ = 0;
    preferredColumn_ = -1;
    IndexLines();
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ReportTextView::IndexLines()
{
    byteStart_.assign(1, 0);
    charStart_.assign(1, 0);
    nonAsciiLines_.clear();
    widestColumns_ = 0;
    if (!bytes_) return;
    const char* data = bytes_->data();
    const qint64 size = static_cast<qint64>(bytes_->size());
    byteStart_.reserve(static_cast<size_t>(size / 64 + 2));
    charStart_.reserve(byteStart_.capacity());
    qint64 start = 0;
    while (start < size || (start == 0 && size == 0)) {
        const void* newline = std::memchr(data + start, '\n', static_cast<size_t>(size - start));
        const qint64 end = newline ? static_cast<const char*>(newline) - data + 1 : size;
        const qint64 lineEnd = LineEndBytes(data + start, data + end);
        qint64 chars = end - start - lineEnd;
        const bool ascii = AllAscii(data + start, data + end - lineEnd);
        const bool hasTab = std::memchr(data + start, '\t', static_cast<size_t>(chars)) != nullptr;
        if (!ascii) {
            nonAsciiLines_.push_back(static_cast<qint64>(byteStart_.size()) - 1);
            chars = DisplayText(std::string(data + start, data + end - lineEnd)).size();
        }
        const qint64 line = static_cast<qint64>(byteStart_.size()) - 1;
        byteStart_.push_back(end);
        charStart_.push_back(charStart_.back() + chars + lineEnd);
        widestColumns_ = std::max(widestColumns_, hasTab || !ascii ? ExpandedColumns(lineText(line)) : chars);
        if (end == size) break;
        start = end;
    }
    if (size > 0 && data[size - 1] == '\n') {  // the empty line after the last line end
        byteStart_.push_back(size);
        charStart_.push_back(charStart_.back());
    }
}

bool ReportTextView::IsAscii(qint64 firstLine, qint64 endLine) const
{
    const auto it = std::lower_bound(nonAsciiLines_.begin(), nonAsciiLines_.end(), firstLine);
    return it == nonAsciiLines_.end() || *it >= endLine;
}

QString ReportTextView::lineText(qint64 line) const
{
    if (!bytes_ || line < 0 || line >= lineCount()) return {};
    const char* data = bytes_->data();
    const qint64 begin = byteStart_[static_cast<size_t>(line)];
    const qint64 end = byteStart_[static_cast<size_t>(line) + 1];
    const qint64 content = end - begin - LineEndBytes(data + begin, data + end);
    if (IsAscii(line, line + 1)) return QString::fromLatin1(data + begin, content);
    return DisplayText(std::string(data + begin, static_cast<size_t>(content)));
}

QString ReportTextView::displayLine(qint64 line) const
{
    const QString text = lineText(line);
    if (!text.contains(QLatin1Char('\t'))) return text;
    QString expanded;
    for (QChar c : text) {
        if (c == QLatin1Char('\t'))
            expanded += QString(kTabColumns - expanded.size() % kTabColumns, QLatin1Char(' '));
        else
            expanded += c;
    }
    return expanded;
}

qint64 ReportTextView::lineLength(qint64 line) const
{
    if (line < 0 || line >= lineCount()) return 0;
    const size_t i = static_cast<size_t>(line);
    const char* data = bytes_ ? bytes_->data() : nullptr;
    const qint64 lineEnd = data ? LineEndBytes(data + byteStart_[i], data + byteStart_[i + 1]) : 0;
    return charStart_[i + 1] - charStart_[i] - lineEnd;
}

qint64 ReportTextView::lineOfPosition(qint64 position) const
{
    if (lineCount() <= 0) return 0;
    const auto it = std::upper_bound(charStart_.begin(), charStart_.end() - 1, position);
    return std::clamp<qint64>(it - charStart_.begin() - 1, 0, lineCount() - 1);
}

QString ReportTextView::textRange(qint64 start, qint64 end) const
{
    start = std::clamp<qint64>(start, 0, characterCount());
    end = std::clamp<qint64>(end, start, characterCount());
    if (start == end || !bytes_) return {};
    const qint64 first = lineOfPosition(start);
    const qint64 last = lineOfPosition(end - 1);
    const char* data = bytes_->data();
    if (IsAscii(first, last + 1)) {  // characters are bytes on these lines
        const qint64 from = byteStart_[static_cast<size_t>(first)] + start - lineStart(first);
        return QString::fromLatin1(data + from, end - start);
    }

    QString text;
    for (qint64 line = first; line <= last; ++line) {
        const size_t i = static_cast<size_t>(line);
        const qint64 contentEnd = byteStart_[i + 1] - LineEndBytes(data + byteStart_[i], data + byteStart_[i + 1]);
        const QString whole = lineText(line) + QString::fromLatin1(data + contentEnd, byteStart_[i + 1] - contentEnd);
        const qint64 from = std::max<qint64>(start - charStart_[i], 0);
        const qint64 to = std::min<qint64>(end - charStart_[i], whole.size());
        text += whole.mid(from, to - from);
    }
    return text;
}

void ReportTextView::setCursorPosition(qint64 position, bool keepAnchor)
{
    MoveCaret(position, keepAnchor);
    preferredColumn_ = -1;
}

void ReportTextView::setSelection(qint64 start, qint64 end)
{
    MoveCaret(start, false);
    MoveCaret(end, true);
}

void ReportTextView::selectAll() { setSelection(0, characterCount()); }

void ReportTextView::copy() const
{
    if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

void ReportTextView::MoveCaret(qint64 position, bool keepAnchor)
{
    const bool hadSelection = hasSelection();
    position = std::clamp<qint64>(position, 0, characterCount());
    // A position inside a line end stands at the end of the line's text.
    const qint64 line = lineOfPosition(position);
    if (lineCount() > 0) position = std::min(position, lineStart(line) + lineLength(line));
    caret_ = position;
    if (!keepAnchor) anchor_ = position;
    EnsureCaretVisible();
    viewport()->update();
    if (hasSelection() != hadSelection) emit copyAvailable(hasSelection());
    NotifyCaretMoved(this);
}

qint64 ReportTextView::ColumnOf(qint64 line, qint64 offsetInLine) const
{
    const QString text = lineText(line);
    if (!text.contains(QLatin1Char('\t'))) return offsetInLine;
    return ExpandedColumns(text.left(offsetInLine));
}

qint64 ReportTextView::OffsetAtColumn(qint64 line, qint64 column) const
{
    const QString text = lineText(line);
    qint64 at = 0;
    for (qint64 i = 0; i < text.size(); ++i) {
        const qint64 next = text[i] == QLatin1Char('\t') ? (at / kTabColumns + 1) * kTabColumns : at + 1;
        if (column < next && column - at <= next - column - 1) return i;
        if (column < next) return i + 1;
        at = next;
    }
    return text.size();
}

int ReportTextView::LineHeight() const { return fontMetrics().lineSpacing(); }
int ReportTextView::CharWidth() const { return fontMetrics().horizontalAdvance(QLatin1Char('M')); }
int ReportTextView::VisibleLines() const { return std::max(1, viewport()->height() / LineHeight()); }

qint64 ReportTextView::firstVisibleLine() const { return verticalScrollBar()->value(); }

void ReportTextView::scrollToLine(qint64 line)
{
    verticalScrollBar()->setValue(static_cast<int>(std::clamp<qint64>(line, 0, verticalScrollBar()->maximum())));
}

void ReportTextView::UpdateScrollBars()
{
    const int visible = VisibleLines();
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qint64>(0, lineCount() - visible)));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    const qint64 width = widestColumns_ * CharWidth() + 2 * kLeftMargin;
    horizontalScrollBar()->setRange(0, static_cast<int>(std::max<qint64>(0, width - viewport()->width())));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(CharWidth());
}

void ReportTextView::EnsureCaretVisible()
{
    if (lineCount() <= 0) return;
    const qint64 line = lineOfPosition(caret_);
    const int visible = VisibleLines();
    if (line < firstVisibleLine()) scrollToLine(line);
    if (line >= firstVisibleLine() + visible) scrollToLine(line - visible + 1);
    const int x = static_cast<int>(ColumnOf(line, caret_ - lineStart(line)) * CharWidth()) + kLeftMargin;
    QScrollBar* h = horizontalScrollBar();
    if (x < h->value()) h->setValue(std::max(0, x - kLeftMargin));
    if (x + CharWidth() > h->value() + viewport()->width()) h->setValue(x + CharWidth() - viewport()->width());
}

QRect ReportTextView::characterRect(qint64 position) const
{
    const qint64 line = lineOfPosition(position);
    const qint64 column = ColumnOf(line, std::clamp<qint64>(position - lineStart(line), 0, lineLength(line)));
    const int x = static_cast<int>(column * CharWidth()) + kLeftMargin - horizontalScrollBar()->value();
    const int y = static_cast<int>((line - firstVisibleLine()) * LineHeight());
    return QRect(x, y, CharWidth(), LineHeight());
}

qint64 ReportTextView::positionAt(const QPoint& point) const
{
    if (lineCount() <= 0) return 0;
    const qint64 line = std::clamp<qint64>(firstVisibleLine() + point.y() / LineHeight(), 0, lineCount() - 1);
    const int x = point.x() + horizontalScrollBar()->value() - kLeftMargin;
    const qint64 column = std::max(0, (x + CharWidth() / 2) / CharWidth());
    return lineStart(line) + std::min(OffsetAtColumn(line, column), lineLength(line));
}

void ReportTextView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const int height = LineHeight();
    const int ascent = fontMetrics().ascent();
    const int charWidth = CharWidth();
    const int left = kLeftMargin - horizontalScrollBar()->value();
    const qint64 first = firstVisibleLine();
    const qint64 last = std::min(lineCount(), first + VisibleLines() + 1);
    const QPalette& colours = palette();
    for (qint64 line = first; line < last; ++line) {
        const int y = static_cast<int>(line - first) * height;
        const qint64 start = lineStart(line);
        const qint64 length = lineLength(line);
        const qint64 from = std::clamp(selectionStart() - start, qint64(0), length + 1);
        const qint64 to = std::clamp(selectionEnd() - start, qint64(0), length + 1);
        QRect selected;
        if (from < to) {
            // A selected line end shows as one selected cell.
            const qint64 x0 = ColumnOf(line, std::min(from, length));
            const qint64 x1 = ColumnOf(line, std::min(to, length)) + (to > length ? 1 : 0);
            selected = QRect(left + static_cast<int>(x0 * charWidth), y, static_cast<int>((x1 - x0) * charWidth), height);
            painter.fillRect(selected, colours.brush(QPalette::Highlight));
        }
        const QString text = displayLine(line);
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(left, y + ascent, text);
        if (!selected.isEmpty()) {
            painter.save();
            painter.setClipRect(selected);
            painter.setPen(colours.color(QPalette::HighlightedText));
            painter.drawText(left, y + ascent, text);
            painter.restore();
        }
    }
    if (hasFocus() && lineCount() > 0) {
        const QRect caret = characterRect(caret_);
        painter.fillRect(QRect(caret.left(), caret.top(), 1, caret.height()), colours.color(QPalette::Text));
    }
}

void ReportTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ReportTextView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    if (lineCount() <= 0) return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const qint64 line = lineOfPosition(caret_);
    const auto toLine = [&](qint64 target) {
        target = std::clamp<qint64>(target, 0, lineCount() - 1);
        if (preferredColumn_ < 0) preferredColumn_ = ColumnOf(line, caret_ - lineStart(line));
        const qint64 column = preferredColumn_;
        MoveCaret(lineStart(target) + std::min(OffsetAtColumn(target, column), lineLength(target)), extend);
        preferredColumn_ = column;
    };
    switch (event->key()) {
    case Qt::Key_Up: toLine(line - 1); break;
    case Qt::Key_Down: toLine(line + 1); break;
    case Qt::Key_PageUp:
        toLine(line - VisibleLines());
        break;
    case Qt::Key_PageDown:
        toLine(line + VisibleLines());
        break;
    case Qt::Key_Left:
        setCursorPosition(caret_ > lineStart(line) ? caret_ - 1 : line > 0 ? lineStart(line - 1) + lineLength(line - 1) : 0,
                          extend);
        break;
    case Qt::Key_Right:
        setCursorPosition(caret_ < lineStart(line) + lineLength(line) ? caret_ + 1
                          : line + 1 < lineCount()                    ? lineStart(line + 1)
                                                                      : caret_,
                          extend);
        break;
    case Qt::Key_Home: setCursorPosition(control ? 0 : lineStart(line), extend); break;
    case Qt::Key_End:
        setCursorPosition(control ? characterCount() : lineStart(line) + lineLength(line), extend);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ReportTextView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setCursorPosition(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void ReportTextView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) setCursorPosition(positionAt(event->position().toPoint()), true);
}

void ReportTextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ReportTextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace kalderon
