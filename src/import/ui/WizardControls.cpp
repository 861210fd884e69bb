#include "import/ui/WizardControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "import/DatePattern.h"
#include "import/TextRoleConflicts.h"
#include "import/ui/CFilePreview.h"
#include "import/ui/CSpinButton.h"

namespace kalderon {

QString RoleLabelText(int role)
{
    // The roles needed for relative survival and SMR/SIR carry a star.
    const bool starred = role == kRoleSex || role == kRoleBirth;
    return QString::fromLatin1(TextRoleName(role)) + (starred ? QStringLiteral(" *") : QString());
}

QString RoleLabelWithMnemonic(int role)
{
    // Letters apart from those of the wizard's Back, Next, Finish and Cancel.
    static constexpr int kMnemonicAt[kRoleCount] = {0, 8, 0, 0, 7, 10};
    return RoleLabelText(role).insert(kMnemonicAt[role], QLatin1Char('&'));
}

QString RequiredNote() { return QStringLiteral("( * required for computing relative survival and SMR/SIR )"); }

QLabel* MakeSwatch(int role, QWidget* parent)
{
    QPixmap pixmap(8, 16);
    pixmap.fill(RoleColours()[role]);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 7, 15);
    painter.end();
    auto* swatch = new QLabel(parent);
    swatch->setPixmap(pixmap);
    swatch->setFixedSize(8, 16);
    swatch->setObjectName(QStringLiteral("swatch%1").arg(role));
    return swatch;
}

SpinEdit MakeSpinEdit(int editId, int spinId, int value, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* edit = new QLineEdit(QString::number(value), box);
    edit->setObjectName(ControlName(editId));
    edit->setValidator(new QIntValidator(0, 99999, edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(48);
    auto* spin = new CSpinButton(edit, box);
    spin->setObjectName(ControlName(spinId));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit);
    layout->addWidget(spin);
    layout->addStretch();
    return {edit, spin, box};
}

int EditNumber(const QLineEdit* edit) { return edit->text().toInt(); }

QComboBox* MakePatternCombo(int id, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(ControlName(id));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const char* pattern : kOfferedDatePatterns) combo->addItem(QString::fromLatin1(pattern));
    combo->setCurrentIndex(0);
    combo->setMinimumWidth(110);
    return combo;
}

QCheckBox* MakeRoleCheckBox(int id, QWidget* parent)
{
    auto* check = new QCheckBox(parent);
    check->setObjectName(ControlName(id));
    return check;
}

QLabel* MakeColumnHeader(const QString& text, QWidget* parent)
{
    auto* header = new QLabel(text, parent);
    header->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return header;
}

}  // namespace kalderon
