#pragma once

#include <QMarginsF>

class QPrinter;
class QString;

namespace kalderon {

class ReportTextView;

// The margins of a printed report in millimetres from the paper's edges:
// the printer's own and the report's page geometry inside them.  Asked of a
// printer that has only its own margins.
QMarginsF ReportMargins(QPrinter& printer);

// Readies the printer for the report of the view: the remembered page
// setup or, before the user chose one, the report's margins and the
// orientation in which every line prints in one piece, portrait unless
// only landscape gives room for that.
void PrepareReportPrinter(QPrinter& printer, const ReportTextView& view);

// Whether lines of the report are wider than the printer's page even in
// the smallest readable print, so that they wrap.
bool ReportWrapsOn(QPrinter& printer, const ReportTextView& view);

// Prints the text of the view on the printer in the report's fixed-pitch
// font, scaled down so far that the widest line fits the page's width
// (lines still too wide at the smallest readable size wrap), as many pages
// as it takes or the page range chosen in the print dialog.  Every page is
// headed by `title` and its page number.  False when the printer cannot be
// used.
bool PrintReport(QPrinter& printer, const ReportTextView& view, const QString& title);

}  // namespace kalderon
