#pragma once

#include "common/ui/FileDialogs.h"

namespace kalderon {

// File dialogs shown with QFileDialog.
class QtFileDialogs : public FileDialogs {
public:
    using FileDialogs::OpenFileName;
    using FileDialogs::SaveFileName;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& directory,
                         const QString& filter, QString* chosenFilter = nullptr) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& directory, const QString& filter,
                         const QString& defaultSuffix, QString* selectedFilter = nullptr) override;
};

}  // namespace kalderon
