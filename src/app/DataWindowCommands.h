#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QAction;
class QMdiArea;

namespace kalderon {

class CEventDataView;
class MainStatusBar;

// What the main frame does for the active data window: Copy and Select All
// of the Edit menu work on its list (Copy while rows are selected), and the
// status bar shows how many cases it read.
class DataWindowCommands : public QObject {
    Q_OBJECT
public:
    DataWindowCommands(QMdiArea* area, QAction* copy, QAction* selectAll, MainStatusBar* statusBar);

private:
    void Follow();
    void Update();

    QMdiArea* area_;
    QAction* copy_;
    QAction* selectAll_;
    MainStatusBar* statusBar_;
    QPointer<CEventDataView> view_;
    QMetaObject::Connection selection_;
};

}  // namespace kalderon
