#pragma once

#include <QString>

#include "common/ui/UserProfile.h"

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
    // before an existing file is replaced.  A name without extension gets
    // SaveSuffix of the filter entry chosen; `selectedFilter`, when given,
    // receives that entry's description.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& directory,
                                 const QString& filter, const QString& defaultSuffix,
                                 QString* selectedFilter = nullptr) = 0;

    // The same dialogs for a kind of file: they start in the folder last
    // used for that kind (LastFolder) and remember the folder of the file
    // chosen.  The save dialog proposes a name made from the title of the
    // window `parent` stands in (SuggestedFileName).
    QString OpenFileName(QWidget* parent, const QString& title, FileKind kind, const QString& filter,
                         QString* chosenFilter = nullptr);
    QString SaveFileName(QWidget* parent, const QString& title, FileKind kind, const QString& filter,
                         const QString& defaultSuffix, QString* selectedFilter = nullptr);
};

// A file name made from a window title: the folders of a path in it and the
// extension of a file name (".txt", ".mdb") are left out, a "/" between blanks becomes
// "-", other characters that a file name cannot hold ("/", "\", ":", "*",
// "?", double quote, "<", ">", "|", control characters) "_", and runs of
// blanks one blank.  "Results (Life table / Cutler-Ederer) for
// /data/rdata.txt" gives "Results (Life table - Cutler-Ederer) for rdata".
QString SuggestedFileName(const QString& windowTitle);

// The title of the window `widget` stands in: its subwindow of the main
// window, else its top-level window.
QString WindowTitleOf(const QWidget* widget);

// The extension a save dialog adds to a name typed without one: that of
// the chosen entry of QtNameFilters() when the entry has one ("CSV files
// (*.csv)" gives "csv"), else `defaultSuffix` ("TXT"); in lower case.
QString SaveSuffix(const QString& chosenEntry, const QString& defaultSuffix);

// The title of a window saved as `path`: the path and, beside it,
// `analysisTitle` (the title the analysis gave the window) when there is one.
QString SavedFileTitle(const QString& path, const QString& analysisTitle);

// "Text files (*.txt)|*.txt|All files (*.*)|*.*||" as the name filters of a
// QFileDialog; several patterns of one entry ("*.a;*.b") become "*.a *.b".
QString QtNameFilters(const QString& filter);

}  // namespace kalderon
