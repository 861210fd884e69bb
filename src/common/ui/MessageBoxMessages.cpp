#include "common/ui/MessageBoxMessages.h"

#include <QMessageBox>

#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"

namespace kalderon {

void MessageBoxMessages::Show(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, UiString(resource::kAppTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

Messages::Answer MessageBoxMessages::Ask(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

Messages::Answer MessageBoxMessages::Confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, UiString(resource::kAppTitle), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Messages::Answer MessageBoxMessages::AskForEach(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll |
                        QMessageBox::Cancel,
                    parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::YesToAll: return Answer::YesToAll;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::NoToAll: return Answer::NoToAll;
    default: return Answer::Cancel;
    }
}

}  // namespace kalderon
