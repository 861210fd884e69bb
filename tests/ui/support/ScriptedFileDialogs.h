#pragma once

#include <QStringList>

#include "common/ui/FileDialogs.h"

namespace kalderon::testing {

// File dialogs that choose the file given to them and record how they were
// opened.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString OpenFileName(QWidget* parent, const QString& title, const QString& directory,
                         const QString& filter) override
    {
        lastTitle = title;
        lastDirectory = directory;
        lastFilter = filter;
        return choice;
    }

    QString SaveFileName(QWidget* parent, const QString& title, const QString& directory, const QString& filter,
                         const QString& defaultSuffix, QString* selectedFilter = nullptr) override
    {
        lastSuffix = defaultSuffix;
        if (selectedFilter) *selectedFilter = filterChoice;
        return OpenFileName(parent, title, directory, filter);
    }

    QString choice;  // empty: the dialog is cancelled
    QString filterChoice;  // the filter entry a save dialog reports
    QString lastSuffix;
    QString lastTitle;
    QString lastDirectory;
    QString lastFilter;
};

}  // namespace kalderon::testing
