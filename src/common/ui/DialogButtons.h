#pragma once

class QDialog;
class QDialogButtonBox;

namespace kalderon {

// The column of "&OK" (button::kOk, the default), "&Cancel" (button::kCancel)
// and "&Help" (button::kHelp) beside a dialog's controls: OK accepts the
// dialog and Cancel rejects it; what Help shows is the caller's
// (helpRequested).
QDialogButtonBox* OkCancelHelpButtons(QDialog* dialog);

}  // namespace kalderon
