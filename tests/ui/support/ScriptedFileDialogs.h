#pragma once

#include <QStringList>

#include "common/ui/FileDialogs.h"

namespace kalderon::testing {

// File dialogs that choose the file given to them and record how they were
// opened.
class ScriptedFileDialogs : public FileDialogs {
public:
    using FileDialogs::OpenFileName;
    using FileDialogs::SaveFileName;

    QString OpenFileName(QWidget* parent, const QString& title, const QString& directory,
                         const QString& filter, QString* chosenFilter = nullptr) override
    {
        lastTitle = title;
        lastDirectory = directory;
        lastFilter = filter;
        lastChosenFilter = chosenFilter ? *chosenFilter : QString();
        if (chosenFilter && !filterToChoose.isEmpty() && !choice.isEmpty()) *chosenFilter = filterToChoose;
        return choice;
    }

    QString SaveFileName(QWidget* parent, const QString& title, const QString& directory, const QString& filter,
                         const QString& defaultSuffix, QString* selectedFilter = nullptr) override
    {
        ++saveDialogs;
        lastTitle = title;
        lastDirectory = directory;
        lastFilter = filter;
        lastSuffix = defaultSuffix;
        if (selectedFilter) *selectedFilter = filterChoice;
        return saveChoice.isEmpty() ? choice : saveChoice;
    }

    QString choice;  // empty: the dialog is cancelled
    QString filterToChoose;  // the entry the person picks; empty: left as it was
    QString lastChosenFilter;  // the entry the dialog started with
    QString filterChoice;  // the filter entry a save dialog reports
    QString lastTitle;
    QString lastDirectory;
    QString lastFilter;
    QString saveChoice;  // empty: the save dialog is cancelled
    QString lastSuffix;
    int saveDialogs = 0;
};

}  // namespace kalderon::testing
