#pragma once

#include <QTableView>

namespace kalderon {

// A read-only list of whole rows: a header whose clicks do not sort, rows of
// one fixed height without a row header, the selection shown only while the
// list has the focus, and cell texts cut with "..." when wider than their
// column (2 pixels of margin on each side in the first column, 6 in the
// others).
class CFullRowListCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CFullRowListCtrl(QWidget* parent = nullptr);
};

}  // namespace kalderon
