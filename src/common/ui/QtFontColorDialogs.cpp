#include <QColorDialog>
#include <QFontDialog>

#include "common/ui/FontColorDialogs.h"

namespace kalderon {

// QFontDialog has no colour choice; the colour stays as it was.
bool QtFontColorDialogs::ChooseFont(QWidget* parent, QFont& font, QColor&)
{
    bool chosen = false;
    const QFont result = QFontDialog::getFont(&chosen, font, parent);
    if (chosen) font = result;
    return chosen;
}

bool QtFontColorDialogs::ChooseColor(QWidget* parent, QColor& color)
{
    const QColor result = QColorDialog::getColor(color, parent);
    if (!result.isValid()) return false;
    color = result;
    return true;
}

}  // namespace kalderon
