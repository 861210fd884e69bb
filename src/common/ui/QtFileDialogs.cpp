#include "common/ui/QtFileDialogs.h"

#include <QFileDialog>

namespace kalderon {

QString QtFileDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter, QString* chosenFilter)
{
    QFileDialog dialog(parent, title, directory, QtNameFilters(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (chosenFilter && dialog.nameFilters().contains(*chosenFilter)) dialog.selectNameFilter(*chosenFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (chosenFilter) *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().front();
}

QString QtFileDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter, const QString& defaultSuffix, QString* selectedFilter)
{
    QFileDialog dialog(parent, title, directory, QtNameFilters(filter));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // A filter of one extension ("PNG images (*.png)") gives its extension
    // to a name typed without one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, defaultSuffix](const QString& entry) {
        const qsizetype star = entry.indexOf(QLatin1String("(*."));
        const QString pattern = star < 0 ? QString() : entry.mid(star + 3).chopped(1);
        const bool single = !pattern.isEmpty() && !pattern.contains(QLatin1Char(' ')) && pattern != QLatin1String("*");
        dialog.setDefaultSuffix(single ? pattern : defaultSuffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (selectedFilter) *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().front();
}

}  // namespace kalderon
