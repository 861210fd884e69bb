#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace kalderon {

// The main window's status bar: the message pane and the indicators "CAP",
// "NUM" and "SCRL".  While a file is read the message pane tells so and a
// progress bar beside it shows how far the reading is.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    QString paneText() const;

    void BeginProgress(const QString& message);
    void SetProgress(int percent);
    void EndProgress();

private:
    QLabel* messagePane_;
    QProgressBar* progress_;
};

}  // namespace kalderon
