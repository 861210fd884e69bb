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
