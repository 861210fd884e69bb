#pragma once

#include <optional>

#include "common/ui/FontColorDialogs.h"

namespace kalderon::testing {

// Font and colour dialogs that give the prepared choice (cancel when none)
// and remember what they were opened with.
class ScriptedFontColorDialogs : public FontColorDialogs {
public:
    bool ChooseFont(QWidget*, QFont& font, QColor& color) override
    {
        openedFont = font;
        if (!chosenFont) return false;
        font = *chosenFont;
        if (chosenColor) color = *chosenColor;
        return true;
    }
    bool ChooseColor(QWidget*, QColor& color) override
    {
        openedColor = color;
        if (!chosenColor) return false;
        color = *chosenColor;
        return true;
    }

    std::optional<QFont> chosenFont;
    std::optional<QColor> chosenColor;
    QFont openedFont;
    QColor openedColor;
};

}  // namespace kalderon::testing
