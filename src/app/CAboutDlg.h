#pragma once

#include <QDialog>

namespace kalderon {

// The About box: program icon, name and version, and what the program does.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace kalderon
