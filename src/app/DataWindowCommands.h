#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QMdiArea;

namespace kalderon {

class CEventDataView;
class MainStatusBar;

// While a data window is active the status bar shows how many cases it read.
class DataWindowCommands : public QObject {
    Q_OBJECT
public:
    DataWindowCommands(QMdiArea* area, MainStatusBar* statusBar);

private:
    void Follow();
    void Update();

    QMdiArea* area_;
    MainStatusBar* statusBar_;
    QPointer<CEventDataView> view_;
    QMetaObject::Connection selection_;
};

}  // namespace kalderon
