#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "common/ui/ControlName.h"
#include "app/Icons.h"
#include "common/ui/ResourceIds.h"

namespace kalderon {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(ControlName(resource::kAboutDialog));
    setWindowTitle(QStringLiteral("About KALDERON"));

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel(QStringLiteral("KALDERON Version 2.0"), this);
    auto* description = new QLabel(QStringLiteral("Survival analysis of patient follow-up data:\n"
                                                  "life tables, product-limit estimates, period analysis,\n"
                                                  "relative survival and SMR/SIR"),
                                   this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(1));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(version, 0, 1);
    layout->addWidget(description, 1, 1);
    layout->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
    setFixedSize(sizeHint());
}

}  // namespace kalderon
