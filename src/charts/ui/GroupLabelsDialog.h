#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

namespace kalderon {

struct AppServices;
class LabelListCtrl;

// (code, label) of one group.
using GroupLabel = std::pair<std::string, std::string>;

// The labels of the groups, edited in place in a list of code and label;
// OK writes the labels back into the given pairs.
class GroupLabelsDialog : public QDialog {
    Q_OBJECT
public:
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 145;
    static constexpr int kList = 1067;

    GroupLabelsDialog(std::vector<GroupLabel>& labels, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    std::vector<GroupLabel>& labels_;
    LabelListCtrl* list_;
};

}  // namespace kalderon
