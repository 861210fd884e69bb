#pragma once

#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace kalderon::testing {

// The first `count` lines of data/examples/rdata.txt (begin;end;status;
// group;sex;birth), with a line of empty fields after line `emptyLineAfter`.
inline std::string FirstExampleCases(int count, int emptyLineAfter)
{
    std::istringstream example(ReadBytes(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt"));
    std::string cases;
    std::string line;
    for (int number = 1; number <= count && std::getline(example, line); ++number) {
        cases += line + "\n";
        if (number == emptyLineAfter) cases += ";;;;;\n";
    }
    return cases;
}

}  // namespace kalderon::testing
