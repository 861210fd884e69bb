#pragma once

#include <string>

#include "stats/DateValue.h"

namespace kalderon::testing {

// Paths of the database files under tests/data.
inline std::string AccessFixture(const std::string& name)
{
    return std::string(KALDERON_SOURCE_DIR) + "/tests/data/access/" + name;
}
inline std::string ImportFixture(const std::string& name)
{
    return std::string(KALDERON_SOURCE_DIR) + "/tests/data/import/" + name;
}

// The day number of a calendar day.
inline double DayNumber(int y, int m, int d) { return DateValue::FromYmd(y, m, d).serial(); }

}  // namespace kalderon::testing
