#include "common/ui/HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>


namespace kalderon {
namespace {
const char* const kTopicProperty = "helpTopic";
}

void SetHelpTopic(QWidget* widget, const QString& topic) { widget->setProperty(kTopicProperty, topic); }

QString HelpTopicOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString topic = widget->property(kTopicProperty).toString();
        if (!topic.isEmpty()) return topic;
    }
    return QStringLiteral("quick_tour");
}

HelpKey::HelpKey(QWidget* mainWindow, ShowTopic show)
    : QObject(mainWindow), mainWindow_(mainWindow), show_(std::move(show))
{
    qApp->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    QWidget* at = QApplication::focusWidget();
    if (!at) at = QApplication::activeModalWidget();
    if (!at) at = QApplication::activeWindow();
    if (!at) at = mainWindow_;
    show_(at->window(), HelpTopicOf(at));
    return true;
}

}  // namespace kalderon
