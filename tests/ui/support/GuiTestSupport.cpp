#include "support/GuiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

namespace kalderon::testing {

QString SourcePath(const QString& relative) { return QStringLiteral(KALDERON_SOURCE_DIR "/") + relative; }

void UseTemporarySettings()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

void SetText(QWidget* parent, int id, const QString& text)
{
    auto* edit = Control<QLineEdit>(parent, id);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    if (edit->text() != text) edit->setText(text);  // keys a validator refused
    emit edit->editingFinished();
}

void SetChecked(QWidget* parent, int id, bool on)
{
    auto* check = Control<QAbstractButton>(parent, id);
    if (check->isChecked() != on) check->click();
}

void Click(QWidget* parent, int id) { Control<QAbstractButton>(parent, id)->click(); }

void OnNextModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

}  // namespace kalderon::testing
