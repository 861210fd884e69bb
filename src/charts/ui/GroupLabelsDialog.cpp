#include "charts/ui/GroupLabelsDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>

#include "charts/ui/ChartDialogParts.h"
#include "charts/ui/LabelListCtrl.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"
#include "common/ui/UiText.h"

namespace kalderon {
namespace {

constexpr int kCodeHeader = 700;
constexpr int kLabelHeader = 701;

}  // namespace

GroupLabelsDialog::GroupLabelsDialog(std::vector<GroupLabel>& labels, AppServices& services, QWidget* parent)
    : QDialog(parent), labels_(labels)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Edit group labels"));
    list_ = new LabelListCtrl(this);
    list_->setObjectName(ControlName(kList));
    list_->setColumnCount(2);
    list_->setHorizontalHeaderLabels({UiString(kCodeHeader), UiString(kLabelHeader)});
    list_->setColumnWidth(0, 50);
    list_->setColumnWidth(1, 200);
    list_->setRowCount(static_cast<int>(labels.size()));
    for (int row = 0; row < list_->rowCount(); ++row) {
        list_->setItem(row, 0, new QTableWidgetItem(DisplayText(labels[row].first)));
        list_->setItem(row, 1, new QTableWidgetItem(DisplayText(labels[row].second)));
    }
    list_->setMinimumSize(280, 180);
    if (list_->rowCount() > 0) list_->setCurrentCell(0, 0);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_group_labels")));
}

void GroupLabelsDialog::accept()
{
    for (int row = 0; row < list_->rowCount(); ++row) {
        labels_[row].second = EditedBytes(list_->item(row, 1)->text(), labels_[row].second);
    }
    QDialog::accept();
}

}  // namespace kalderon
