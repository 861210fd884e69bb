#pragma once

#include <QString>

#include "common/ui/ControlName.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace kalderon {

class CSpinButton;

namespace wizard_page {
inline constexpr int kPreview = 1007;  // the preview of the file on every page
}  // namespace wizard_page

// The name of each role's row in the wizard and the column selection.
QString RoleLabelText(int role);
// The same with a mnemonic: "&Date of beginning of follow-up", ...
QString RoleLabelWithMnemonic(int role);
// "( * required for computing relative survival and SMR/SIR )"
QString RequiredNote();

// An 8 by 16 pixel swatch of a role's preview colour.
QLabel* MakeSwatch(int role, QWidget* parent);

// A number edit with its up-down arrows, named by their ids.
struct SpinEdit {
    QLineEdit* edit;
    CSpinButton* spin;
    QWidget* box;  // both, side by side
};
SpinEdit MakeSpinEdit(int editId, int spinId, int value, QWidget* parent);
int EditNumber(const QLineEdit* edit);

// An editable date-pattern combo with the usual patterns, first one chosen.
QComboBox* MakePatternCombo(int id, QWidget* parent);

// A check box without text, named by its id, starting unchecked.
QCheckBox* MakeRoleCheckBox(int id, QWidget* parent);

// A header label of a column of role rows.
QLabel* MakeColumnHeader(const QString& text, QWidget* parent);

}  // namespace kalderon
