#include "support/KeyboardChecks.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QRadioButton>
#include <QSet>
#include <QtTest>

#include "common/ui/ResourceIds.h"
#include "support/GuiTestSupport.h"

namespace kalderon::testing {
namespace {

// The control a focused widget belongs to (a spin box for its edit).
QWidget* ControlOf(QWidget* widget)
{
    if (widget && qobject_cast<QAbstractSpinBox*>(widget->parentWidget())) return widget->parentWidget();
    return widget;
}

bool TakesTabFocus(const QWidget& dialog, QWidget* widget)
{
    if (!widget->isVisibleTo(&dialog) || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus)) return false;
    if (widget->focusProxy()) return false;
    // Of a group of radio buttons Tab visits the checked one.
    if (auto* radio = qobject_cast<QRadioButton*>(widget); radio && radio->autoExclusive() && !radio->isChecked()) {
        for (auto* sibling : radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (sibling->isChecked()) return false;
    }
    return true;
}

bool IsDialogButton(const QWidget* widget) { return qobject_cast<const QDialogButtonBox*>(widget->parentWidget()); }

QString Describe(const QWidget* widget)
{
    QString text;
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    return QStringLiteral("%1 %2 \"%3\"").arg(QString::fromLatin1(widget->metaObject()->className()),
                                              widget->objectName(), text);
}

// Whether a comes before b when the dialog is read line by line.
bool ReadBefore(const QRect& a, const QRect& b)
{
    const bool sameLine = a.top() < b.bottom() && b.top() < a.bottom();
    return sameLine ? a.left() < b.left() : a.top() < b.top();
}

QChar MnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

}  // namespace

QList<QWidget*> TabWalk(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) return {};
    QWidget* first = nullptr;
    for (QWidget* widget = dialog.nextInFocusChain(); widget != &dialog && !first; widget = widget->nextInFocusChain())
        if (TakesTabFocus(dialog, widget)) first = widget;
    if (!first) return {};
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget*> walk;
    for (int step = 0; step < 100; ++step) {
        QWidget* focused = QApplication::focusWidget();
        QWidget* control = ControlOf(focused);
        if (!control || (!walk.isEmpty() && control == walk.front())) break;
        walk.append(control);
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return walk;
}

QString TabOrderFault(QDialog& dialog)
{
    const QList<QWidget*> walk = TabWalk(dialog);
    QStringList faults;
    QSet<QWidget*> expected;
    for (QWidget* widget : dialog.findChildren<QWidget*>())
        if (TakesTabFocus(dialog, widget)) expected.insert(ControlOf(widget));
    for (QWidget* widget : expected)
        if (!walk.contains(widget)) faults << QStringLiteral("Tab skips %1").arg(Describe(widget));
    for (QWidget* widget : walk)
        if (!expected.contains(widget)) faults << QStringLiteral("Tab visits %1").arg(Describe(widget));

    const auto firstButton = std::find_if(walk.begin(), walk.end(), IsDialogButton);
    for (auto it = firstButton; it != walk.end(); ++it)
        if (!IsDialogButton(*it)) faults << QStringLiteral("%1 after the dialog buttons").arg(Describe(*it));
    const auto area = [&](QWidget* widget) { return QRect(widget->mapTo(&dialog, QPoint()), widget->size()); };
    for (auto a = walk.begin(); a != firstButton; ++a)
        for (auto b = a + 1; b != firstButton; ++b)
            if (ReadBefore(area(*b), area(*a)))
                faults << QStringLiteral("%1 before %2").arg(Describe(*a), Describe(*b));
    QStringList buttons;
    for (auto it = firstButton; it != walk.end(); ++it) buttons << (*it)->objectName();
    const QStringList order = ControlNames({button::kOk, button::kCancel, button::kHelp});
    if (buttons != order) faults << QStringLiteral("dialog buttons in the order %1").arg(buttons.join(u' '));
    return faults.join(QStringLiteral("; "));
}

QString MnemonicFault(const QWidget& dialog)
{
    QMap<QChar, QString> seen;
    QStringList faults;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&dialog)) continue;  // a hidden control's mnemonic does nothing
        QString text;
        if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text();
        } else if (auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
            if (!MnemonicOf(text).isNull() && !label->buddy())
                faults << QStringLiteral("\"%1\" has no buddy").arg(text);
        } else if (auto* group = qobject_cast<const QGroupBox*>(widget)) {
            text = group->title();
        }
        const QChar letter = MnemonicOf(text);
        if (letter.isNull()) continue;
        if (seen.contains(letter)) {
            faults << QStringLiteral("'%1' in \"%2\" and \"%3\"").arg(letter).arg(seen[letter], text);
        } else {
            seen.insert(letter, text);
        }
    }
    return faults.join(QStringLiteral("; "));
}

}  // namespace kalderon::testing
