#pragma once

#include <QList>
#include <QString>

class QDialog;
class QWidget;

namespace kalderon::testing {

// The controls Tab visits in the shown and active dialog, from the first
// control of its focus chain until the focus comes back to it.
QList<QWidget*> TabWalk(QDialog& dialog);

// Empty when Tab visits every control that takes the focus, the controls of
// the dialog's content in reading order (top to bottom, left to right in a
// row) followed by the dialog's buttons in their order; else what is wrong.
QString TabOrderFault(QDialog& dialog);

// Empty when no two shown controls of the dialog share a mnemonic letter and
// every label with a mnemonic has a buddy; else the clashes.
QString MnemonicFault(const QWidget& dialog);

}  // namespace kalderon::testing
