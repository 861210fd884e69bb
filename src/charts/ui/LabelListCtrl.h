#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

namespace kalderon {

// A list with grid lines and full-row selection whose cells outside the
// first column are edited in place: a click on the current row opens an
// edit box over the clicked cell, and so do Enter and F2 over the current
// row's second cell; Enter or leaving the box writes the text into the
// cell, Escape drops it.  Enter never reaches the dialog's default button.
class LabelListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit LabelListCtrl(QWidget* parent = nullptr);

    // The open edit box, if any.
    QLineEdit* editBox() const { return editBox_; }
    void EditCell(int row, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndEdit(bool keep);
    void FitEditBox();

    QPointer<QLineEdit> editBox_;
    int editRow_ = -1;
    int editColumn_ = -1;
    int minimumEditWidth_ = 0;
};

}  // namespace kalderon
