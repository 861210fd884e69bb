#pragma once

#include <QTableView>

namespace kalderon {

// A read-only list of whole rows: a header whose clicks do not sort, rows of
// one fixed height without a row header, the selection shown only while the
// list has the focus, and cell texts cut with "..." when wider than their
// column (2 pixels of margin on each side in the first column, 6 in the
// others).  Rows of cases that are not valid stand in muted text on a
// tinted ground.  The copy key asks the owner to copy.
class CFullRowListCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CFullRowListCtrl(QWidget* parent = nullptr);

signals:
    void CopyRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kalderon
