#pragma once

#include <cstdint>

namespace kalderon {

// Record ids and the version word of the Excel 97 (BIFF8) workbook stream.
enum : std::uint16_t {
    kBiffEof = 0x000A,
    kBiffExternSheet = 0x0017,
    kBiffName = 0x0018,
    kBiffBoundSheet = 0x0085,
    kBiffDimension = 0x0200,
    kBiffLabel = 0x0204,
    kBiffFormat = 0x041E,
    kBiffSupBook = 0x01AE,
    kBiffBof = 0x0809,
};
constexpr std::uint16_t kBiff8 = 0x0600;

}  // namespace kalderon
