#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace kalderon {

// Dialog 159, "Choose table": the tables of a database to pick one from.
// OK or a double click on an entry gives the selected entry.
class CChooseTableDlg : public QDialog {
    Q_OBJECT
public:
    // `entries` come sorted as the list shows them; the first is selected.
    CChooseTableDlg(const std::vector<std::string>& entries, QWidget* parent = nullptr);

    // The selected entry; empty when the list is empty.
    std::string tableName() const;

private:
    std::vector<std::string> entries_;
    QListWidget* list_;
};

}  // namespace kalderon
