#pragma once

#include <QString>

class QWidget;

namespace kalderon {

// The file dialogs of the program, behind an interface so that tests can
// choose the file.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // An existing file chosen by the person, or an empty text when cancelled.
    // `filter` is a string-table filter: "Description|*.ext|...||".  With
    // `chosenFilter`, the dialog starts with that entry of QtNameFilters()
    // (when it has it) and leaves there the entry chosen.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                 const QString& filter, QString* chosenFilter = nullptr) = 0;

    // A file to write, or an empty text when cancelled; the person is asked
    // before an existing file is replaced.  `defaultSuffix` ("CHT") is added
    // to a name without extension, or the extension of the filter entry
    // chosen; `selectedFilter`, when given, receives that entry's description.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& directory,
                                 const QString& filter, const QString& defaultSuffix,
                                 QString* selectedFilter = nullptr) = 0;
};

// "Text files (*.txt)|*.txt|All files (*.*)|*.*||" as the name filters of a
// QFileDialog; several patterns of one entry ("*.a;*.b") become "*.a *.b".
QString QtNameFilters(const QString& filter);

}  // namespace kalderon
