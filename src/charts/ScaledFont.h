#pragma once

#include <string>

#include "charts/LogFont.h"

namespace kalderon {

// A font whose height follows the height of the drawing: every drawing
// creates it with lfHeight = -(drawing height / heightDivisor).
struct ScaledFont {
    LogFont logFont;
    float heightDivisor = 35.0f;

    // Sets lfHeight for a drawing of the given height and returns the font;
    // the font is never taller than the drawing.
    const LogFont& ScaleTo(int drawingHeight);

    // Takes over a font chosen in a font dialog, which started from the
    // lfHeight of the last drawing, so that the chosen size is the size at
    // the current drawing height.
    void TakeOver(const LogFont& chosen);

    // "divisor;lfHeight;...;lfPitchAndFamily;face" as the defaults store it.
    std::string ToProfileString() const;
    // Reads such a text; fields that cannot be parsed keep their values.
    void FromProfileString(const std::string& text);

    bool operator==(const ScaledFont&) const = default;
};

}  // namespace kalderon
