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
    dialog.setDefaultSuffix(SaveSuffix(dialog.selectedNameFilter(), defaultSuffix));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, defaultSuffix](const QString& entry) {
        dialog.setDefaultSuffix(SaveSuffix(entry, defaultSuffix));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (selectedFilter) *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().front();
}

}  // namespace kalderon
