#include "charts/ui/MarkerStyleDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "charts/ui/ChartDialogParts.h"
#include "charts/ui/LineStyleDialog.h"
#include "charts/ui/SpinField.h"
#include "charts/ui/StylePreviewWidgets.h"
#include "common/ui/ControlName.h"

namespace kalderon {
namespace {

bool IsFilled(int symbol) { return symbol == kSymbolCircle || symbol == kSymbolSquare || symbol == kSymbolTriangle; }

}  // namespace

MarkerStyleDialog::MarkerStyleDialog(CMarkerStyle& marker, AppServices& services, QWidget* parent)
    : QDialog(parent), marker_(marker), services_(services), copy_(marker)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Marker style"));
    const SpinField spin = MakeSpinField(this, kSize, kSpin, marker.markerSize);
    size_ = spin.edit;
    spin_ = spin.box;
    symbol_ = new StyleComboBox(StyleComboBox::Mode::kMarker, this);
    symbol_->setObjectName(ControlName(kSymbol));
    symbol_->setCurrentIndex(marker.symbol >= 0 && marker.symbol < symbol_->count() ? marker.symbol : -1);
    preview_ = new MarkerPreview(this);
    preview_->setObjectName(ControlName(kPreview));
    preview_->setMinimumSize(60, 60);
    lineColor_ = MakeButton(this, kLineColor, QStringLiteral("&Line color ..."));
    fillColor_ = MakeButton(this, kFillColor, QStringLiteral("&Fill color ..."));

    connect(size_, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < kSpinMinimum || size > kSpinMaximum) return;
        copy_.markerSize = size;
        preview_->SetMarker(copy_);
    });
    connect(symbol_, &QComboBox::currentIndexChanged, this, &MarkerStyleDialog::SymbolChanged);
    connect(lineColor_, &QPushButton::clicked, this, [this] {
        if (ChooseChartColor(this, services_, copy_.lineColor)) preview_->SetMarker(copy_);
    });
    connect(fillColor_, &QPushButton::clicked, this, [this] {
        if (ChooseChartColor(this, services_, copy_.fillColor)) preview_->SetMarker(copy_);
    });

    auto* grid = new QGridLayout;
    auto* sizeLabel = new QLabel(QStringLiteral("&Size"), this);
    sizeLabel->setBuddy(size_);
    grid->addWidget(sizeLabel, 0, 0);
    grid->addWidget(spin.box, 0, 1);
    auto* symbolLabel = new QLabel(QStringLiteral("S&ymbol"), this);
    symbolLabel->setBuddy(symbol_);
    grid->addWidget(symbolLabel, 1, 0);
    grid->addWidget(symbol_, 1, 1);
    grid->addWidget(lineColor_, 2, 0, 1, 2);
    grid->addWidget(fillColor_, 3, 0, 1, 2);
    auto* previewGroup = new QGroupBox(QStringLiteral("Preview"), this);
    auto* previewLayout = new QVBoxLayout(previewGroup);
    previewLayout->addWidget(preview_);
    grid->addWidget(previewGroup, 0, 2, 4, 1);
    grid->setRowStretch(4, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_marker_styles_format")));
    SymbolChanged();
}

void MarkerStyleDialog::SymbolChanged()
{
    const int symbol = symbol_->currentIndex();
    copy_.symbol = symbol;
    const bool any = symbol != kSymbolNone;
    size_->setEnabled(any);
    spin_->setEnabled(any);
    lineColor_->setEnabled(any);
    fillColor_->setEnabled(IsFilled(symbol));
    preview_->SetMarker(copy_);
}

void MarkerStyleDialog::accept()
{
    const std::optional<int> size = size_->isEnabled() ? SpinFieldValue(this, services_, size_)
                                                       : std::optional<int>(copy_.markerSize);
    if (!size) return;
    copy_.markerSize = *size;
    copy_.symbol = symbol_->currentIndex();
    marker_ = copy_;
    QDialog::accept();
}

}  // namespace kalderon
