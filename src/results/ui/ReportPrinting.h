#pragma once

class QPrinter;

namespace kalderon {

class ReportTextView;

// Prints the text of the view on the printer in the report's fixed-pitch
// font: the page geometry of a results report, lines longer than the
// printable width wrapped, as many pages as it takes (or the page range
// chosen in the print dialog).  False when the printer cannot be used.
bool PrintReport(QPrinter& printer, const ReportTextView& view);

}  // namespace kalderon
