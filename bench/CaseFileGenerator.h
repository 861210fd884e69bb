#pragma once

#include <cstdint>
#include <string>

namespace kalderon::bench {

// Writes `count` random cases in the format of the example data sets
// (begin;end;status;group;sex;birth, dates DD.MM.YYYY, LF line ends).  The
// same seed always gives the same file.  Returns false when the file cannot
// be written.
bool WriteCaseFile(const std::string& path, std::int64_t count, std::uint64_t seed);

// A file of `count` cases (seed 1) in the temporary folder, written on first
// use and removed when the program ends.
const std::string& SharedCaseFile(std::int64_t count);

}  // namespace kalderon::bench
