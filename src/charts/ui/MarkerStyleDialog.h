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
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 144;
    static constexpr int kSize = 1057;
    static constexpr int kSpin = 1058;  // the arrows of the size
    static constexpr int kSymbol = 1055;
    static constexpr int kPreview = 1061;
    static constexpr int kLineColor = 1059;
    static constexpr int kFillColor = 1060;

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
