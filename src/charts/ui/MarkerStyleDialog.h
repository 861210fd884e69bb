#pragma once

#include <QDialog>

#include "charts/SeriesStyle.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kalderon {

struct AppServices;
class MarkerPreview;
class StyleComboBox;

// Size (1 to 999), symbol and colours of a marker with a preview; OK
// writes them into the marker.  Without a chosen symbol OK stores -1,
// which draws nothing.
class MarkerStyleDialog : public QDialog {
    Q_OBJECT
public:
    MarkerStyleDialog(CMarkerStyle& marker, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    void SymbolChanged();

    CMarkerStyle& marker_;
    AppServices& services_;
    CMarkerStyle copy_;
    QLineEdit* size_;
    QSpinBox* spin_;
    StyleComboBox* symbol_;
    MarkerPreview* preview_;
    QPushButton* lineColor_;
    QPushButton* fillColor_;
};

}  // namespace kalderon
