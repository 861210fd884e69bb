#pragma once

#include <QDialog>

#include "charts/SeriesStyle.h"

class QLineEdit;

namespace kalderon {

struct AppServices;
class StyleComboBox;

// Width (1 to 999) and pen style of a line; OK writes them into the line.
class LineStyleDialog : public QDialog {
    Q_OBJECT
public:
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 143;
    static constexpr int kWidth = 1053;
    static constexpr int kSpin = 1054;  // the arrows of the width
    static constexpr int kStyle = 1055;

    LineStyleDialog(CLineStyle& line, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    CLineStyle& line_;
    AppServices& services_;
    QLineEdit* width_;
    StyleComboBox* style_;
};

// The whole number 1..999 in a spin field, or nullopt after the field was
// refused with a message and the focus.
std::optional<int> SpinFieldValue(QWidget* dialog, AppServices& services, QLineEdit* field);

}  // namespace kalderon
