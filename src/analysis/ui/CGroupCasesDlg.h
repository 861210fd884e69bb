#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "analysis/CaseGrouping.h"
#include "import/DataSet.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kalderon {

class Messages;

// "Group cases by": what the groups of the analyses are, a first and an
// optional second key crossed with it; each a column of the data set, the
// age at the beginning of follow-up in bands (cut points, or "icss") or the
// calendar period of that beginning (cut years).  The first key may stay
// the groups of the file.
class CGroupCasesDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialog = 174;
    static constexpr int kFirstKey = 1110;
    static constexpr int kFirstCuts = 1111;
    static constexpr int kSecondKey = 1112;
    static constexpr int kSecondCuts = 1113;

    CGroupCasesDlg(const DataSet& data, const CaseGrouping& grouping, Messages& messages, QWidget* parent = nullptr);

    const CaseGrouping& grouping() const { return grouping_; }

    void accept() override;

signals:
    void HelpRequested();

private:
    struct KeyControls {
        QComboBox* key;
        QLineEdit* cuts;
    };
    KeyControls AddKey(int keyId, int cutsId, const char* firstEntry);
    QLabel* Label(const QString& text, QWidget* buddy);
    void Preset(const KeyControls& controls, const GroupKey& key);
    // The key of the chosen entry; false for the first entry, or with the
    // reason its cut points are refused.
    bool ReadKey(const KeyControls& controls, GroupKey& key, Refusal& refusal) const;

    const DataSet& data_;
    Messages& messages_;
    std::vector<std::string> columns_;
    CaseGrouping grouping_;
    KeyControls first_{};
    KeyControls second_{};
};

}  // namespace kalderon
