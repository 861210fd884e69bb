#pragma once

#include <optional>
#include <string>

namespace kalderon {

// A value typed into an axis field: blanks around it are ignored and a
// decimal comma counts as a point.  Empty when the text is blank; nullopt
// inside when it is not a number.
struct AxisValueInput {
    bool blank = false;
    std::optional<double> value;
};
AxisValueInput ParseAxisValue(const std::string& text);

// Why an axis range cannot be drawn.
enum class AxisRangeFault { kNone, kStepNotPositive, kMinNotBelowMax, kTooManyTicks };
AxisRangeFault CheckAxisRange(double minValue, double maxValue, double stepValue);

}  // namespace kalderon
