#include "charts/ui/LineStyleDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "charts/ui/ChartDialogParts.h"
#include "charts/ui/StylePreviewWidgets.h"
#include "charts/ui/SpinField.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "resources/Texts.h"

namespace kalderon {

std::optional<int> SpinFieldValue(QWidget* dialog, AppServices& services, QLineEdit* field)
{
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    if (ok && value >= kSpinMinimum && value <= kSpinMaximum) return value;
    RefuseField(dialog, services, field, QString::fromLatin1(text::kOutOfRange));
    return std::nullopt;
}

LineStyleDialog::LineStyleDialog(CLineStyle& line, AppServices& services, QWidget* parent)
    : QDialog(parent), line_(line), services_(services)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Line style"));
    SpinField spin = MakeSpinField(this, kWidth, kSpin, line.lineWidth);
    width_ = spin.edit;
    style_ = new StyleComboBox(StyleComboBox::Mode::kPen, this);
    style_->setObjectName(ControlName(kStyle));
    style_->SetLineWidth(line.lineWidth);
    style_->setCurrentIndex(line.penStyle >= 0 && line.penStyle < style_->count() ? line.penStyle : -1);
    connect(width_, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const int width = text.toInt(&ok);
        if (ok && width >= kSpinMinimum && width <= kSpinMaximum) style_->SetLineWidth(width);
    });

    auto* grid = new QGridLayout;
    auto* widthLabel = new QLabel(QStringLiteral("Line &width"), this);
    widthLabel->setBuddy(width_);
    grid->addWidget(widthLabel, 0, 0);
    grid->addWidget(spin.box, 0, 1);
    auto* styleLabel = new QLabel(QStringLiteral("Line &style"), this);
    styleLabel->setBuddy(style_);
    grid->addWidget(styleLabel, 1, 0);
    grid->addWidget(style_, 1, 1);
    grid->setRowStretch(2, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_line_styles_format")));
}

void LineStyleDialog::accept()
{
    const std::optional<int> width = SpinFieldValue(this, services_, width_);
    if (!width) return;
    line_.lineWidth = *width;
    if (style_->currentIndex() >= 0) line_.penStyle = style_->currentIndex();
    QDialog::accept();
}

}  // namespace kalderon
