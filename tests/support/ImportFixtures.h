#pragma once

#include <string>

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

}  // namespace kalderon::testing
