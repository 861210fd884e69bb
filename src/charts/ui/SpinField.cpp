#include "charts/ui/SpinField.h"

#include <QLineEdit>
#include <QSpinBox>

#include "common/ui/ControlName.h"

namespace kalderon {
namespace {

// A spin box whose edit may hold any text, so that OK can refuse it with
// a message rather than the box correcting it silently.
class FreeSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    using QSpinBox::lineEdit;

protected:
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
    void fixup(QString&) const override {}
};

}  // namespace

SpinField MakeSpinField(QWidget* parent, int editId, int spinId, int value)
{
    auto* box = new FreeSpinBox(parent);
    box->setObjectName(ControlName(spinId));
    box->setRange(kSpinMinimum, kSpinMaximum);
    box->setDisplayIntegerBase(10);
    box->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    box->setKeyboardTracking(true);
    QLineEdit* edit = box->lineEdit();
    edit->setObjectName(ControlName(editId));
    edit->setText(QString::number(value));
    return {box, edit};
}

}  // namespace kalderon
