#pragma once

class QLineEdit;
class QSpinBox;
class QWidget;

namespace kalderon {

inline constexpr int kSpinMinimum = 1;
inline constexpr int kSpinMaximum = 999;

// An edit with an up-down control (1 to 999, decimal): the spin box, its
// edit named with editId and the spin box named with spinId.
struct SpinField {
    QSpinBox* box;
    QLineEdit* edit;
};
SpinField MakeSpinField(QWidget* parent, int editId, int spinId, int value);

}  // namespace kalderon
