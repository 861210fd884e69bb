#include "common/ui/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "common/ui/ControlName.h"
#include "common/ui/ResourceIds.h"

namespace kalderon {

QDialogButtonBox* OkCancelHelpButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(Qt::Vertical, dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(ControlName(button::kOk));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(ControlName(button::kCancel));
    buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole)->setObjectName(ControlName(button::kHelp));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace kalderon
