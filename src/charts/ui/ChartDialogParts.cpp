#include "charts/ui/ChartDialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "charts/qt/QtCanvas.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "help/ui/HelpTopics.h"

namespace kalderon {
namespace {

constexpr int kAlignmentTexts = 900;  // "left", "center", "right"
constexpr int kAlignments[] = {kAlignLeft, kAlignCenter, kAlignRight};

// The pixel height of a font the font dialog gave in points.
int PixelHeight(const QFont& font)
{
    if (font.pixelSize() > 0) return font.pixelSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0)));
}

// The chosen font over the fields of the old one that the dialog does not
// show (escapement, character set and so on).
LogFont LogFontOf(const QFont& font, LogFont base)
{
    base.lfHeight = -PixelHeight(font);
    base.lfWeight = font.weight();
    base.lfItalic = font.italic() ? 1 : 0;
    base.lfUnderline = font.underline() ? 1 : 0;
    base.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const QString face = font.family();
    base.SetFaceName(face == DisplayText(base.FaceName()) ? base.FaceName() : face.toStdString());
    return base;
}

ColorRef RefOf(const QColor& color) { return Rgb(color.red(), color.green(), color.blue()); }

}  // namespace

QBoxLayout* AddDialogButtons(QDialog& dialog, AppServices& services, const QString& helpTopic)
{
    auto* buttons = new QDialogButtonBox(Qt::Vertical, &dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(ControlName(button::kOk));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(ControlName(button::kCancel));
    buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole)->setObjectName(ControlName(button::kHelp));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog,
                     [&dialog, &services, helpTopic] { ShowHelpTopic(&dialog, services, helpTopic); });
    auto* column = new QVBoxLayout;
    column->addWidget(buttons);
    column->addStretch();
    return column;
}

QPushButton* MakeButton(QWidget* parent, int id, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(ControlName(id));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, int id, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(ControlName(id));
    return box;
}

QLineEdit* MakeEdit(QWidget* parent, int id, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(ControlName(id));
    return edit;
}

QCheckBox* MakeSaveAsDefault(QWidget* parent)
{
    return MakeCheckBox(parent, chart_dialog::kSaveAsDefault, QStringLiteral("Save as &default"));
}

QComboBox* MakeAlignmentCombo(QWidget* parent, int id, int align)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(ControlName(id));
    for (int i = 0; i < 3; ++i) combo->addItem(UiString(kAlignmentTexts + i));
    const int* found = std::find(std::begin(kAlignments), std::end(kAlignments), align);
    combo->setCurrentIndex(found == std::end(kAlignments) ? -1 : static_cast<int>(found - std::begin(kAlignments)));
    return combo;
}

int ChosenAlignment(const QComboBox& combo, int previous)
{
    const int index = combo.currentIndex();
    return index < 0 ? previous : kAlignments[index];
}

std::string EditedBytes(const QString& shown, const std::string& original)
{
    return shown == DisplayText(original) ? original : shown.toStdString();
}

bool ChooseChartFont(QWidget* parent, AppServices& services, ScaledFont& font, ColorRef& color)
{
    QFont qfont = FontFromLogFont(font.logFont);
    QColor qcolor = ColorFromRef(color);
    if (!services.fontsAndColors().ChooseFont(parent, qfont, qcolor)) return false;
    font.TakeOver(LogFontOf(qfont, font.logFont));
    color = RefOf(qcolor);
    return true;
}

bool ChooseChartColor(QWidget* parent, AppServices& services, ColorRef& color)
{
    QColor qcolor = ColorFromRef(color);
    if (!services.fontsAndColors().ChooseColor(parent, qcolor)) return false;
    color = RefOf(qcolor);
    return true;
}

void RefuseField(QWidget* parent, AppServices& services, QLineEdit* field, const QString& message)
{
    services.messages.Show(parent, message);
    field->setFocus();
    field->selectAll();
}

}  // namespace kalderon
