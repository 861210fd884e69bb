#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "common/ui/ControlName.h"
#include "common/ui/ScreenFit.h"
#include "app/Icons.h"
#include "common/ui/ApplicationPaths.h"
#include "common/ui/ResourceIds.h"

namespace kalderon {

namespace {

QString Found(const QString& path)
{
    return QDir::toNativeSeparators(path) + (QFileInfo(path).isFile() ? QString() : QStringLiteral(" (not found)"));
}

}  // namespace

QString CAboutDlg::BuildText(const ApplicationPaths& paths)
{
    return QStringLiteral("Version %1, built %2\nHelp file: %3\nPopulation tables: %4, %5")
        .arg(QStringLiteral(KALDERON_VERSION), QStringLiteral(KALDERON_BUILD_DATE), Found(paths.helpFile),
             Found(paths.lifeTables), Found(paths.referenceRateTables));
}

CAboutDlg::CAboutDlg(const ApplicationPaths& paths, QWidget* parent) : QDialog(parent)
{
    setObjectName(ControlName(resource::kAboutDialog));
    setWindowTitle(QStringLiteral("About KALDERON"));

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel(QStringLiteral("KALDERON Version 2.0"), this);
    auto* description = new QLabel(BuildText(paths), this);
    description->setObjectName(QStringLiteral("aboutText"));
    description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(button::kOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout;
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(version, 0, 1);
    layout->addWidget(description, 1, 1);
    LayOutFittingScreen(this, layout, buttons);
}

}  // namespace kalderon
