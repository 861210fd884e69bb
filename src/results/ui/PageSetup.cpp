#include "results/ui/PageSetup.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

#include "common/ui/UserProfile.h"
#include "results/ui/ReportPrinting.h"

namespace kalderon {
namespace {

const QString kGroup = QStringLiteral("PageSetup");

QPageLayout LayoutOf(const PageSetupChoice& choice)
{
    return QPageLayout(QPageSize(QSizeF(choice.paperWidth, choice.paperHeight), QPageSize::Millimeter),
                       choice.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, choice.margins,
                       QPageLayout::Millimeter);
}

PageSetupChoice ChoiceOf(const QPageLayout& layout)
{
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    return {layout.orientation() == QPageLayout::Landscape, paper.width(), paper.height(),
            layout.margins(QPageLayout::Millimeter)};
}

}  // namespace

std::optional<PageSetupChoice> RememberedPageSetup()
{
    const auto settings = OpenUserProfile();
    settings->beginGroup(kGroup);
    if (!settings->contains(QStringLiteral("PaperWidth"))) return std::nullopt;
    PageSetupChoice choice;
    choice.landscape = settings->value(QStringLiteral("Orientation")).toInt() == 1;
    choice.paperWidth = settings->value(QStringLiteral("PaperWidth")).toDouble();
    choice.paperHeight = settings->value(QStringLiteral("PaperHeight")).toDouble();
    choice.margins = QMarginsF(settings->value(QStringLiteral("MarginLeft")).toDouble(),
                               settings->value(QStringLiteral("MarginTop")).toDouble(),
                               settings->value(QStringLiteral("MarginRight")).toDouble(),
                               settings->value(QStringLiteral("MarginBottom")).toDouble());
    if (choice.paperWidth <= 0 || choice.paperHeight <= 0) return std::nullopt;
    return choice;
}

void RememberPageSetup(const PageSetupChoice& choice)
{
    const auto settings = OpenUserProfile();
    settings->beginGroup(kGroup);
    settings->setValue(QStringLiteral("Orientation"), choice.landscape ? 1 : 0);
    settings->setValue(QStringLiteral("PaperWidth"), choice.paperWidth);
    settings->setValue(QStringLiteral("PaperHeight"), choice.paperHeight);
    settings->setValue(QStringLiteral("MarginLeft"), choice.margins.left());
    settings->setValue(QStringLiteral("MarginTop"), choice.margins.top());
    settings->setValue(QStringLiteral("MarginRight"), choice.margins.right());
    settings->setValue(QStringLiteral("MarginBottom"), choice.margins.bottom());
}

bool ApplyRememberedPageSetup(QPrinter& printer)
{
    const std::optional<PageSetupChoice> choice = RememberedPageSetup();
    if (!choice) return false;
    printer.setFullPage(false);
    printer.setPageLayout(LayoutOf(*choice));
    return true;
}

bool ShowPageSetup(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!ApplyRememberedPageSetup(printer)) printer.setPageMargins(ReportMargins(printer), QPageLayout::Millimeter);
    QPageSetupDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("pageSetupDialog"));
    if (dialog.exec() != QDialog::Accepted) return false;
    RememberPageSetup(ChoiceOf(printer.pageLayout()));
    return true;
}

}  // namespace kalderon
