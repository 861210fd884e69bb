#pragma once

#include <QStatusBar>

#include "common/ui/WaitCursor.h"
#include "import/ReadProgress.h"

class QLabel;
class QProgressBar;

namespace kalderon {

class LockKeyIndicators;

// The main window's status bar: the message pane, the case counts of the
// active data window and the indicators "CAP", "NUM" and "SCRL".  While a file is read the message pane tells so and a
// progress bar beside it shows how far the reading is.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    QString paneText() const;
    // The counts of the active data window beside the lock keys; an empty
    // text hides them.
    void ShowCaseCounts(const QString& counts);
    QString caseCounts() const;
    LockKeyIndicators* lockKeys() const { return lockKeys_; }

    void BeginProgress(const QString& message);
    // Work whose share done is not known: the message and a moving bar.
    void BeginBusy(const QString& message);
    void SetProgress(int percent);
    void EndProgress();

private:
    QLabel* messagePane_;
    QProgressBar* progress_;
    QLabel* casesPane_;
    LockKeyIndicators* lockKeys_ = nullptr;
};

// While a data file is read: the wait cursor, and the name of what is read
// with the progress of the reading in the status bar.
class StatusBarReading {
public:
    StatusBarReading(MainStatusBar* statusBar, const QString& name);
    ~StatusBarReading();
    StatusBarReading(const StatusBarReading&) = delete;
    StatusBarReading& operator=(const StatusBarReading&) = delete;

    // The progress for the reader: records done of a total, as a percentage.
    ReadProgress progress() const;

private:
    WaitCursor wait_;
    MainStatusBar* statusBar_;
};

}  // namespace kalderon
