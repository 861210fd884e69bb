#include "support/GuiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <ctime>

namespace kalderon::testing {

QString SourcePath(const QString& relative) { return QStringLiteral(KALDERON_SOURCE_DIR "/") + relative; }

void UseTemporarySettings()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

void UseBatchReportConditions()
{
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    qputenv("TZ", "UTC");
    tzset();
    UseTemporarySettings();
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

void SaveInFileDialog(QWidget* modal, const QString& name, int typeEntry)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    auto* types = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
    auto* fileName = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (!types || !fileName) qFatal("not the file dialog of Qt: %s", modal ? modal->metaObject()->className() : "none");
    dialog->activateWindow();  // the offscreen platform does not activate it by itself
    if (!QTest::qWaitForWindowActive(dialog)) qWarning("the file dialog did not become active");
    types->setFocus();
    for (int press = 0; press < 10 && types->currentIndex() != typeEntry; ++press)
        QTest::keyClick(types, types->currentIndex() < typeEntry ? Qt::Key_Down : Qt::Key_Up);
    if (types->currentIndex() != typeEntry) qFatal("no file type %d", typeEntry);
    fileName->setFocus();
    fileName->setText(name);  // as pasted: typing would open the list of completions, which takes the Enter
    QTest::keyClick(fileName, Qt::Key_Return);
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
