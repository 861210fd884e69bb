#include "common/ui/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "common/ui/ControlName.h"

namespace kalderon {
namespace {
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;
constexpr int kHelpButton = 9;
}  // namespace

QDialogButtonBox* OkCancelHelpButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(Qt::Vertical, dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(ControlName(kOkButton));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole)->setObjectName(ControlName(kCancelButton));
    buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole)->setObjectName(ControlName(kHelpButton));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace kalderon
