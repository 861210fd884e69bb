#include "results/ui/PrintPreview.h"

#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "common/ui/WaitCursor.h"

namespace kalderon {

QString WindowTitle(const QWidget& view)
{
    for (const QWidget* widget = &view; widget; widget = widget->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(widget) || widget->isWindow()) return widget->windowTitle();
    return QString();
}

void ShowPrintPreview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter&)>& print)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&print](QPrinter* target) {
        WaitCursor wait;
        print(*target);
    });
    dialog.exec();
}

}  // namespace kalderon
