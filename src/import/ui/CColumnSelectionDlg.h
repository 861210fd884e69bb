#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "import/ColumnSelectionRules.h"

class QComboBox;
class QLabel;

namespace kalderon {

class Messages;

// "Selection of Data Columns" (kDialog): which field of the table holds
// each value of a case, with each date in one field ("complete date") or in
// three fields for day, month and year ("separate columns").  OK passes only
// a selection the column rules accept.
class CColumnSelectionDlg : public QDialog {
    Q_OBJECT
public:
    // Ids of the dialog and its radio buttons; the combos have those of
    // ColumnSelectionControl.
    static constexpr int kDialog = 130;
    static constexpr int kCompleteRadio = 1041;  // dates in one field
    static constexpr int kSeparateRadio = 1042;  // dates in three fields

    // `columnTexts`: string 300 followed by the table's field names.
    CColumnSelectionDlg(const std::vector<std::string>& columnTexts, Messages& messages, QWidget* parent = nullptr);

    ColumnSelection selection() const;
    // Selects the proposed fields of the complete-date combos (see
    // ProposeColumnSelection); entries of 0 leave a combo as it is.
    void ShowProposal(const ColumnSelection& proposal);

    // Shows a message and keeps the dialog open while the rules fail.
    void accept() override;

signals:
    // "&Help" was pressed.
    void HelpRequested();

private:
    QComboBox* AddCombo(int id, ColumnComboKind kind);
    void ShowLayout(int dateInSeparateColumns);
    int Index(int comboId) const;

    Messages& messages_;
    std::vector<std::string> columnTexts_;
    std::map<int, QComboBox*> combos_;
    std::vector<QWidget*> completeControls_;
    std::vector<QWidget*> separateControls_;
    int dateInSeparateColumns_ = 0;
};

}  // namespace kalderon
