#pragma once

#include <QString>
#include <string>

#include "charts/ChartTypes.h"
#include "charts/ScaledFont.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kalderon {

struct AppServices;

// Pieces the chart option dialogs share.

namespace chart_dialog {
inline constexpr int kSaveAsDefault = 1034;  // the "Save as default" check
}  // namespace chart_dialog

// OK, Cancel and Help (button::kOk, kCancel, kHelp) in a column; Help opens
// the topic.
QBoxLayout* AddDialogButtons(QDialog& dialog, AppServices& services, const QString& helpTopic);

QPushButton* MakeButton(QWidget* parent, int id, const QString& text);
QCheckBox* MakeCheckBox(QWidget* parent, int id, const QString& text);
QLineEdit* MakeEdit(QWidget* parent, int id, const QString& text);
// "Save as default" (chart_dialog::kSaveAsDefault), unchecked.
QCheckBox* MakeSaveAsDefault(QWidget* parent);

// "left", "center", "right" with the entry of the alignment selected (none
// for another value).
QComboBox* MakeAlignmentCombo(QWidget* parent, int id, int align);
// The chosen alignment; the previous one when nothing is chosen.
int ChosenAlignment(const QComboBox& combo, int previous);

// The bytes of an edited text: the original bytes while the shown text is
// unchanged, else UTF-8.
std::string EditedBytes(const QString& shown, const std::string& original);

// The font dialog on a chart font and its colour; on OK both are replaced
// and the font's divisor keeps the chosen size at the last drawing height.
bool ChooseChartFont(QWidget* parent, AppServices& services, ScaledFont& font, ColorRef& color);
// The colour dialog; false when cancelled.
bool ChooseChartColor(QWidget* parent, AppServices& services, ColorRef& color);

// Refuses a field: the message and the focus on the field.
void RefuseField(QWidget* parent, AppServices& services, QLineEdit* field, const QString& message);

}  // namespace kalderon
