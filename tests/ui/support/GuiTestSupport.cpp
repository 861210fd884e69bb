#include "support/GuiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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

QStringList ControlNames(std::initializer_list<int> ids)
{
    QStringList names;
    for (int id : ids) names << ControlName(id);
    return names;
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

void Choose(QWidget* parent, int id, const QString& entry)
{
    auto* combo = Control<QComboBox>(parent, id);
    const int index = combo->findText(entry);
    if (index < 0) qFatal("no entry %s in %s", qPrintable(entry), qPrintable(combo->objectName()));
    combo->setCurrentIndex(index);
}

ModalScript::ModalScript(std::vector<Action> actions) : actions_(std::move(actions))
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

void ModalScript::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (finished() || !modal || !modal->isVisible() || modal == last_) return;
    last_ = modal;
    actions_[next_++](modal);
}

}  // namespace kalderon::testing
