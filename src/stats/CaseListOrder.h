#pragma once

#include <cstdint>
#include <vector>

#include "stats/CaseRecord.h"

namespace kalderon {

// The order that inserting each row by walking the list from its tail
// gives, as row positions: the new case goes right after the first case
// whose begin date is earlier (both valid), or whose begin date is equal and
// whose end date is earlier or not valid (or the new end date is not valid);
// else at the head.
std::vector<std::int32_t> CaseListOrder(const std::vector<CCaseRecord>& rows);

}  // namespace kalderon
