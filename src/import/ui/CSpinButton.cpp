#include "import/ui/CSpinButton.h"

#include <QLineEdit>
#include <algorithm>

namespace kalderon {

CSpinButton::CSpinButton(QLineEdit* buddy, QWidget* parent) : SpinArrows(buddy, parent)
{
    connect(this, &SpinArrows::Arrow, this, [this](bool up) { StepBy(up ? 1 : -1); });
}

void CSpinButton::SetRange(int lower, int upper)
{
    lower_ = lower;
    upper_ = std::max(lower, upper);
}

void CSpinButton::StepBy(int steps)
{
    if (!isEnabled()) return;
    const int value = std::clamp(buddy()->text().toInt() + steps, lower_, upper_);
    buddy()->setText(QString::number(value));
    emit Stepped();
}

}  // namespace kalderon
