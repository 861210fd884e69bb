#pragma once

#include <QColor>
#include <QAbstractScrollArea>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kalderon {

// The six things a line of a case file holds, in the order of the wizard's
// rows.
enum ImportRole { kRoleBegin, kRoleEnd, kRoleStatus, kRoleGroup, kRoleSex, kRoleBirth, kRoleCount };

// The colour of each role in the preview and in the swatches of the wizard.
const std::array<QColor, kRoleCount>& RoleColours();
// The colour mixed with white as far as black text on it needs to stay
// readable (a contrast of 7:1); colours light enough stay as they are.
QColor ReadableBehindText(const QColor& colour);

// What a preview shows of a text file: its first lines and the length of
// its longest line.  Lines are read as the importer reads them, at most
// kLongestLine characters at a time.
struct PreviewLines {
    static constexpr int kLongestLine = 254;

    std::vector<std::string> lines;
    int maxLineLength = 0;

    static std::shared_ptr<const PreviewLines> Scan(const std::string& path);
};

// The first lines of a text file under a character ruler numbered at every
// tenth character, in a fixed-pitch font; the lines scroll under the ruler.
// Mode 0 shows the lines as they are; mode 1 paints the fields cut at the
// separator, each in the colour of the role that takes it (grey when no
// role does, lightened where black text would be hard to read on it);
// mode 2 marks each role's character range on the ruler.
class CFilePreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum Mode { kPlainText = 0, kDelimitedFields = 1, kCharacterRanges = 2 };
    explicit CFilePreview(QWidget* parent = nullptr);

    // The scanned file; several previews may share one scan.
    void SetFile(std::shared_ptr<const PreviewLines> file);
    // Marks per role (0 or kRoleCount) and whether the roles have colours.
    void SetMode(Mode mode, int markCount, bool roleColours);

    // Mode 1: the 1-based field of a role, 0 for none.
    void SetFieldMark(int role, int field);
    // Mode 2: the 1-based first and last character of a role, 0 for none.
    void SetRangeMark(int role, int first, int last);
    void ClearMark(int role);
    // The character the fields are cut at; '\0' for none.
    void SetSeparator(char separator);
    // Mode 1: whether a field in double quotes may hold the separator.
    void SetQuoting(bool quoting);
    // Mode 1: whether the first line that is not empty names the fields; it
    // then stands in bold under the ruler as the heading of the fields and
    // the other lines scroll below it.
    void SetFieldNamesLine(bool namesLine);

    int maxLineLength() const { return file_->maxLineLength; }
    Mode mode() const { return mode_; }
    int markCount() const { return markCount_; }
    int fieldMark(int role) const { return marks_[role].field; }
    int firstMark(int role) const { return marks_[role].first; }
    int lastMark(int role) const { return marks_[role].last; }
    char separator() const { return separator_; }
    bool quoting() const { return quoting_; }
    // The line shown as the heading, -1 for none.
    int headingLine() const;

    // Pixel positions of the drawing, for the tests of what is drawn where.
    int cellWidth() const;
    int rulerHeight() const;
    // Top left of a character cell of the file's line (-1: of the ruler);
    // for the heading line, of its cell in the heading.
    QPoint CharacterOrigin(int line, int column) const;
    int firstShownLine() const;
    // Shows the line first and the column at the left edge.
    void ScrollTo(int line, int column);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Mark {
        int field = 0;
        int first = 0;
        int last = 0;
    };

    QPoint ViewportOrigin(int line, int column) const;
    // The lines that scroll: every line but the heading.
    int scrolledLineCount() const;
    int FileLine(int scrolledLine) const;
    int shownLineCount() const;
    void UpdateScrollRanges();
    QColor MarkColour(int role) const;
    void PaintRuler(QPainter& painter) const;
    void PaintFields(QPainter& painter, const std::string& line, int top) const;
    void PaintLine(QPainter& painter, const std::string& line, int top, const QFont& font) const;
    QFont PreviewFont() const;

    std::shared_ptr<const PreviewLines> file_;
    Mode mode_ = kPlainText;
    int markCount_ = 0;
    bool roleColours_ = false;
    std::array<Mark, kRoleCount> marks_{};
    char separator_ = ';';
    bool quoting_ = false;
    bool namesLine_ = false;
};

}  // namespace kalderon
