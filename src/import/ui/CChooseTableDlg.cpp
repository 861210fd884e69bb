#include "import/ui/CChooseTableDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"
#include "common/ui/ResourceIds.h"

namespace kalderon {

CChooseTableDlg::CChooseTableDlg(const std::vector<std::string>& entries, QWidget* parent)
    : QDialog(parent), entries_(entries), list_(new QListWidget(this))
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Choose table"));
    list_->setObjectName(ControlName(kTableList));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& entry : entries_) list_->addItem(DisplayText(entry));
    if (!entries_.empty()) list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(button::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(button::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("The selected database includes several tables."), this));
    texts->addWidget(new QLabel(QStringLiteral("Please select the desired table:"), this));
    texts->addWidget(list_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(texts, 1);
    layout->addWidget(buttons);
}

std::string CChooseTableDlg::tableName() const
{
    const int row = list_->currentRow();
    return row >= 0 && row < static_cast<int>(entries_.size()) ? entries_[static_cast<size_t>(row)] : std::string();
}

}  // namespace kalderon
