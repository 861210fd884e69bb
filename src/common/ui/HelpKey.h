#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace kalderon {

// Gives a window or dialog its help topic ("import_dbfiles", ...), which F1
// shows while the focus is in it.
void SetHelpTopic(QWidget* widget, const QString& topic);
// The topic of the widget or of the nearest window around it that has one;
// "quick_tour" when none has.
QString HelpTopicOf(const QWidget* widget);

// F1 anywhere in the program, modal dialogs included, shows the help topic
// of the widget with the focus (of the active window when none has it)
// through `show` (the program passes ShowHelpTopic).
class HelpKey : public QObject {
    Q_OBJECT
public:
    using ShowTopic = std::function<void(QWidget* window, const QString& topic)>;
    HelpKey(QWidget* mainWindow, ShowTopic show);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow_;
    ShowTopic show_;
};

}  // namespace kalderon
