#include "results/ui/ReportTextAccessible.h"

#include <QAccessibleWidget>
#include <QTextBoundaryFinder>
#include <algorithm>

#include "results/ui/ReportTextView.h"

namespace kalderon {
namespace {

class ReportTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReportTextAccessible(ReportTextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

    ReportTextView* view() const { return static_cast<ReportTextView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        // The value of a text of a million lines is read through the text
        // interface, piece by piece.
        if (t == QAccessible::Value) return QString();
        return QAccessibleWidget::text(t);
    }

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index != 0 || !view()->hasSelection()) return;
        *start = static_cast<int>(view()->selectionStart());
        *end = static_cast<int>(view()->selectionEnd());
    }
    int selectionCount() const override { return view()->hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { view()->setSelection(start, end); }
    void removeSelection(int index) override
    {
        if (index == 0) view()->setCursorPosition(view()->cursorPosition());
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0) view()->setSelection(start, end);
    }

    int cursorPosition() const override { return static_cast<int>(view()->cursorPosition()); }
    void setCursorPosition(int position) override { view()->setCursorPosition(position); }

    QString text(int start, int end) const override { return view()->textRange(start, end); }
    int characterCount() const override { return static_cast<int>(view()->characterCount()); }

    QRect characterRect(int offset) const override
    {
        const QRect local = view()->characterRect(offset);
        return QRect(view()->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return static_cast<int>(view()->positionAt(view()->viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int startIndex, int) override { view()->setCursorPosition(startIndex); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return QString();
    }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        return Piece(offset, type, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        int pieceStart = 0, pieceEnd = 0;
        Piece(offset, type, &pieceStart, &pieceEnd);
        if (pieceStart <= 0) {
            *start = *end = -1;
            return QString();
        }
        return Piece(pieceStart - 1, type, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        int pieceStart = 0, pieceEnd = 0;
        Piece(offset, type, &pieceStart, &pieceEnd);
        if (pieceEnd >= characterCount()) {
            *start = *end = -1;
            return QString();
        }
        return Piece(pieceEnd, type, start, end);
    }

private:
    // The character, word or line around `offset`; sentences and
    // paragraphs are lines of the report.  Only the line is looked at, so
    // that no call reads the whole text.
    QString Piece(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
    {
        const ReportTextView* v = view();
        const int count = characterCount();
        if (count == 0 || offset < 0 || offset > count) {
            *start = *end = -1;
            return QString();
        }
        if (type == QAccessible::NoBoundary) {
            *start = 0;
            *end = count;
            return v->textRange(0, count);
        }
        offset = std::min(offset, count - 1);
        if (type == QAccessible::CharBoundary) {
            *start = offset;
            *end = offset + 1;
            return v->textRange(offset, offset + 1);
        }
        const qint64 line = v->lineOfPosition(offset);
        const int lineStart = static_cast<int>(v->lineStart(line));
        const int lineEnd = line + 1 < v->lineCount() ? static_cast<int>(v->lineStart(line + 1)) : count;
        if (type != QAccessible::WordBoundary) {
            *start = lineStart;
            *end = lineEnd;
            return v->textRange(lineStart, lineEnd);
        }
        const QString text = v->textRange(lineStart, lineEnd);
        QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
        words.setPosition(offset - lineStart);
        if (!words.isAtBoundary()) words.toPreviousBoundary();
        const int from = std::max(0, static_cast<int>(words.position()));
        int to = static_cast<int>(words.toNextBoundary());
        if (to < 0) to = static_cast<int>(text.size());
        *start = lineStart + from;
        *end = lineStart + to;
        return text.mid(from, to - from);
    }
};

QAccessibleInterface* ReportTextFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("kalderon::ReportTextView") || object->inherits("kalderon::ReportTextView"))
        if (auto* view = qobject_cast<ReportTextView*>(object)) return new ReportTextAccessible(view);
    return nullptr;
}

}  // namespace

void InstallReportTextAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ReportTextFactory);
        return true;
    }();
    (void)installed;
}

void NotifyCaretMoved(ReportTextView* view)
{
    if (!QAccessible::isActive()) return;
    if (view->hasSelection()) {
        QAccessibleTextSelectionEvent selection(view, static_cast<int>(view->selectionStart()),
                                                static_cast<int>(view->selectionEnd()));
        selection.setCursorPosition(static_cast<int>(view->cursorPosition()));
        QAccessible::updateAccessibility(&selection);
    } else {
        QAccessibleTextCursorEvent cursor(view, static_cast<int>(view->cursorPosition()));
        QAccessible::updateAccessibility(&cursor);
    }
}

}  // namespace kalderon
