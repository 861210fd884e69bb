#pragma once

#include <sys/resource.h>

#include "stats/CaseList.h"

namespace kalderon::bench {

// Highest resident memory of the process so far.
inline double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Memory the case list holds: its arrays, its facts and the texts that do not fit into
// the strings themselves.
inline double CaseListMegabytes(const CaseList& cases)
{
    size_t bytes = cases.records.capacity() * sizeof(CCaseRecord) +
                   (cases.groupIndex.capacity() + cases.rowToList.capacity()) * sizeof(std::int32_t);
    const CaseFacts& f = cases.facts;
    bytes += f.cases.capacity() * sizeof(CaseFact) + (f.beginDays.capacity() + f.endDays.capacity()) * sizeof(double) +
             f.starts.capacity() * sizeof(StartKey) + f.groupStarts.capacity() * sizeof(GroupStart);
    const auto heapPart = [](const CompactText& s) { return s.size() > CompactText::kInPlace ? sizeof(size_t) + s.size() : 0; };
    for (const CCaseRecord& c : cases.records) bytes += heapPart(c.statusText) + heapPart(c.groupText) + heapPart(c.sexText);
    return bytes / (1024.0 * 1024.0);
}

}  // namespace kalderon::bench
