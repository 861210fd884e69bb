#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace kalderon {

// "Choose table" (kDialog): the tables of a database to pick one from.
// OK or a double click on an entry gives the selected entry.
class CChooseTableDlg : public QDialog {
    Q_OBJECT
public:
    // Ids of the dialog and its list.
    static constexpr int kDialog = 159;
    static constexpr int kTableList = 1007;

    // `entries` come sorted as the list shows them; the first is selected.
    CChooseTableDlg(const std::vector<std::string>& entries, QWidget* parent = nullptr);

    // The selected entry; empty when the list is empty.
    std::string tableName() const;

private:
    std::vector<std::string> entries_;
    QListWidget* list_;
};

}  // namespace kalderon
