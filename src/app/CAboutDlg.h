#pragma once

#include <QDialog>

namespace kalderon {

struct ApplicationPaths;

// The About box: program icon, name and version, and the version, build
// date and the places the help file and the population tables were found.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const ApplicationPaths& paths, QWidget* parent = nullptr);

    // The second text: version and build date, help file, population tables.
    static QString BuildText(const ApplicationPaths& paths);
};

}  // namespace kalderon
