#include "common/ui/QtFileDialogs.h"

#include <QFileDialog>

namespace kalderon {

QString QtFileDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter)
{
    QFileDialog dialog(parent, title, directory, QtNameFilters(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString QtFileDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, directory, QtNameFilters(filter));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace kalderon
