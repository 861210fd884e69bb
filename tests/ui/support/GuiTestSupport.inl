#include <QWidget>
#include <QtTest>

#include "app/ControlName.h"

namespace kalderon::testing {

template <typename T>
T* Control(QWidget* parent, int id)
{
    T* control = parent->findChild<T*>(ControlName(id));
    if (!control) qFatal("no control %s in %s", qPrintable(ControlName(id)), qPrintable(parent->objectName()));
    return control;
}

}  // namespace kalderon::testing
