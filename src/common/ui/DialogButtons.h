#pragma once

class QDialog;
class QDialogButtonBox;

namespace kalderon {

// The column of "&OK" (id 1, the default), "&Cancel" (id 2) and "&Help"
// (id 9) beside a dialog's controls: OK accepts the dialog and Cancel
// rejects it; what Help shows is the caller's (helpRequested).
QDialogButtonBox* OkCancelHelpButtons(QDialog* dialog);

}  // namespace kalderon
