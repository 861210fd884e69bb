#include <QWidget>
#include <QtTest>

#include "common/ui/ControlName.h"

namespace kalderon::testing {

template <typename T>
T* Control(QWidget* parent, int id)
{
    T* control = parent->findChild<T*>(ControlName(id));
    if (!control) qFatal("no control %s in %s", qPrintable(ControlName(id)), qPrintable(parent->objectName()));
    return control;
}

template <typename T>
T& Expect(QWidget* modal)
{
    T* dialog = qobject_cast<T*>(modal);
    if (!dialog)
        qFatal("expected a %s, got a %s (%s)", T::staticMetaObject.className(), modal->metaObject()->className(),
               qPrintable(modal->windowTitle()));
    return *dialog;
}

}  // namespace kalderon::testing
