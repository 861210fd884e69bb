#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace kalderon {

// The entries of the time-unit lists: "Year", "Month", "Week", "Day".
QStringList TimeUnitNames();
// The unit after a number of them: "years", "months", "weeks", "days".
QString TimeUnitPlural(std::int32_t unit);

}  // namespace kalderon
