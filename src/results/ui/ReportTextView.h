#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace kalderon {

// A read-only, unwrapped view of a long byte text in a fixed-pitch font,
// such as a report of a million lines.  It keeps only where each line
// starts and lays out the lines that are visible, so that opening and
// scrolling cost nothing that grows with the text.  The text can be
// selected with the mouse and the keyboard and copied; screen readers read
// it through the accessible text interface.
//
// Positions are character offsets into the displayed text, in which every
// line is decoded for display on its own and keeps its line end ("\r\n" or
// "\n").
class ReportTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReportTextView(QWidget* parent = nullptr);

    // Shows the bytes, which must outlive the view's use of them.
    void setBytes(const std::string* bytes);

    // The fixed-pitch font of screen and paper.
    static QFont ReportFont();

    qint64 lineCount() const { return static_cast<qint64>(byteStart_.size()) - 1; }
    // Line `line` decoded, without its line end, tabs as they are.
    QString lineText(qint64 line) const;
    // The same with every tab widened to the next multiple of eight columns.
    QString displayLine(qint64 line) const;

    qint64 characterCount() const { return charStart_.empty() ? 0 : charStart_.back(); }
    // The displayed text from `start` to `end`.
    QString textRange(qint64 start, qint64 end) const;
    QString text() const { return textRange(0, characterCount()); }

    qint64 cursorPosition() const { return caret_; }
    void setCursorPosition(qint64 position, bool keepAnchor = false);
    bool hasSelection() const { return anchor_ != caret_; }
    qint64 selectionStart() const { return std::min(anchor_, caret_); }
    qint64 selectionEnd() const { return std::max(anchor_, caret_); }
    void setSelection(qint64 start, qint64 end);
    QString selectedText() const { return textRange(selectionStart(), selectionEnd()); }

    // The line a position lies on, and the position where a line starts.
    qint64 lineOfPosition(qint64 position) const;
    qint64 lineStart(qint64 line) const { return charStart_[static_cast<size_t>(line)]; }
    // Characters of the line without its line end.
    qint64 lineLength(qint64 line) const;
    // Columns of the widest displayed line.
    qint64 widestColumns() const { return widestColumns_; }

    // The first line shown at the top; scrolls to show `line` there.
    qint64 firstVisibleLine() const;
    void scrollToLine(qint64 line);
    // Where a character is drawn, in viewport coordinates, and the position
    // nearest to a viewport point.
    QRect characterRect(qint64 position) const;
    qint64 positionAt(const QPoint& viewportPoint) const;

public slots:
    void copy() const;
    void selectAll();

signals:
    // Whether there is a selection to copy now.
    void copyAvailable(bool available);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void IndexLines();
    void UpdateScrollBars();
    void EnsureCaretVisible();
    void MoveCaret(qint64 position, bool keepAnchor);
    qint64 ColumnOf(qint64 line, qint64 offsetInLine) const;
    qint64 OffsetAtColumn(qint64 line, qint64 column) const;
    int VisibleLines() const;
    int LineHeight() const;
    int CharWidth() const;
    bool IsAscii(qint64 firstLine, qint64 endLine) const;

    const std::string* bytes_ = nullptr;
    std::vector<qint64> byteStart_;  // per line and one past the last
    std::vector<qint64> charStart_;  // the same in characters of the displayed text
    std::vector<qint64> nonAsciiLines_;  // ascending
    qint64 widestColumns_ = 0;
    qint64 anchor_ = 0;
    qint64 caret_ = 0;
    qint64 preferredColumn_ = -1;  // kept while the caret moves up and down
};

}  // namespace kalderon
