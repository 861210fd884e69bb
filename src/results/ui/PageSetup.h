#pragma once

#include <QMarginsF>
#include <optional>

class QPrinter;
class QWidget;

namespace kalderon {

// The paper, orientation and margins chosen with "Page setup ...".  They are
// remembered in the settings section "PageSetup" once the user has chosen
// them; until then every printout takes the printer's paper and the
// orientation and margins that suit it.
struct PageSetupChoice {
    bool landscape = false;
    double paperWidth = 0;   // millimetres, portrait
    double paperHeight = 0;
    QMarginsF margins;       // millimetres from the paper's edges
};

std::optional<PageSetupChoice> RememberedPageSetup();
void RememberPageSetup(const PageSetupChoice& choice);

// Puts a remembered page setup on the printer; false (the printer as it
// is) when none was ever chosen.
bool ApplyRememberedPageSetup(QPrinter& printer);

// The page setup dialog, opened with the remembered choice or, before any,
// the printer's paper with the margins of a printed report; OK remembers
// what it shows.  True when the user chose.
bool ShowPageSetup(QWidget* parent);

}  // namespace kalderon
