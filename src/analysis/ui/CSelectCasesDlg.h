#pragma once

#include <QDialog>
#include <vector>

#include "analysis/CaseCondition.h"
#include "analysis/CaseFieldSummary.h"
#include "import/DataSet.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace kalderon {

class Messages;

// "Select cases": the conditions a case must meet to be analysed, all of
// them.  A field is picked from the data set's columns and the derived
// age and begin-year; its values are listed with their counts to check
// (one of them, or with "None of the checked values" none of them), or
// for numbers and dates of many values its range is shown to narrow.
// "Add" puts the condition on the list, "Remove" takes the chosen one off.
class CSelectCasesDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialog = 173;
    static constexpr int kConditionList = 1100;
    static constexpr int kRemove = 1101;
    static constexpr int kField = 1102;
    static constexpr int kValues = 1103;
    static constexpr int kNoneOf = 1104;
    static constexpr int kFrom = 1105;
    static constexpr int kTo = 1106;
    static constexpr int kRange = 1107;
    static constexpr int kAdd = 1108;

    CSelectCasesDlg(const DataSet& data, std::vector<CaseCondition> conditions, Messages& messages,
                    QWidget* parent = nullptr);

    const std::vector<CaseCondition>& conditions() const { return conditions_; }

signals:
    void HelpRequested();

private:
    bool FindField(CaseField& field) const;
    void ShowField();
    void AddCondition();
    void RemoveCondition();
    void ListConditions();

    const DataSet& data_;
    std::vector<CaseCondition> conditions_;
    Messages& messages_;
    std::vector<std::string> fieldNames_;
    FieldSummary summary_;
    QListWidget* conditionList_;
    QComboBox* field_;
    QStackedWidget* choice_;
    QListWidget* values_;
    QCheckBox* noneOf_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLabel* range_;
};

}  // namespace kalderon
