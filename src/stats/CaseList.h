#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/TextNumbering.h"
#include "stats/AnalysisData.h"
#include "stats/CaseFacts.h"
#include "stats/CaseRecord.h"
#include "stats/ResultTables.h"

namespace kalderon {

// The cases of one data set in case-list order (ascending begin date, then
// end date), with the group list they were merged into.
struct CaseList {
    std::vector<CCaseRecord> records;     // case-list order
    std::vector<std::int32_t> groupIndex;  // per record: position in groups
    std::vector<std::int32_t> rowToList;   // per added row: its position in records
    std::vector<CGroupInfo> groups;        // ascending by code, byte-wise
    std::string sourcePath;                // what the computations copy into the record's title
    CaseFacts facts;                       // per record, packed for the expected-survival loops
    // Per record: 1 when the analyses take it, 0 when a selection leaves it
    // out of them altogether; empty while every record is taken.
    std::vector<std::uint8_t> selected;

    const CCaseRecord& row(size_t rowIndex) const { return records[rowToList[rowIndex]]; }
    bool IsSelected(size_t listIndex) const { return selected.empty() || selected[listIndex] != 0; }
};

// Adds cases one by one in row order, keeping the bookkeeping of the
// analysis record (first begin, last end, longest observation, status and
// sex codes) and the group list, and at the end yields the case list in the
// order that inserting each case by walking the list from its tail gives.
class CaseListBuilder {
public:
    explicit CaseListBuilder(CAnalysisData& data);

    // Room for this many cases, so that adding them moves nothing.
    void Reserve(size_t rows);
    void Add(CCaseRecord c);
    size_t size() const { return rows_.size(); }
    const CCaseRecord& lastAdded() const { return rows_.back(); }

    // Orders the cases, builds the group list and data.groupResults.
    CaseList Finish();

private:
    CAnalysisData& data_;
    std::vector<CCaseRecord> rows_;
    std::vector<std::int32_t> rowGroup_;  // per row: its group in order of first appearance
    // Per row: its facts, with the numbers of statusSeen_ and sexSeen_.
    std::vector<RecordFacts> rowFacts_;
    TextNumbering groupIds_;
    std::vector<CGroupInfo> groupsByArrival_;
    TextNumbering statusSeen_;
    TextNumbering sexSeen_;
};

}  // namespace kalderon
