#pragma once

namespace kalderon {

class ReportTextView;

// Lets screen readers read a ReportTextView: its text, the caret and the
// selection through the accessible text interface.  Installing more than
// once does nothing.
void InstallReportTextAccessibility();

// Tells screen readers that the caret or the selection of the view moved.
void NotifyCaretMoved(ReportTextView* view);

}  // namespace kalderon
