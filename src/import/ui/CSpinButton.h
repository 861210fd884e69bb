#pragma once

#include "common/ui/SpinArrows.h"

namespace kalderon {

// Up and down arrows beside a number edit (its buddy): each click, or the
// arrow keys in the edit, moves the edit's number by one within the range.
// The edit itself accepts any number typed into it.
class CSpinButton : public SpinArrows {
    Q_OBJECT
public:
    CSpinButton(QLineEdit* buddy, QWidget* parent = nullptr);

    void SetRange(int lower, int upper);
    int lower() const { return lower_; }
    int upper() const { return upper_; }

    void StepBy(int steps);

signals:
    // The arrows changed the edit's number.
    void Stepped();

private:
    int lower_ = 0;
    int upper_ = 100;
};

}  // namespace kalderon
