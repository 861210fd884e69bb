#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/DataSource.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/DataColumns.h"

namespace kalderon {

// What reading a data file yields: the cases, the analysis record their
// bookkeeping went into, and which optional columns the file was read with.
struct DataSet {
    CAnalysisData analysis;
    CaseList cases;
    // Every column of the file, its rows in file order.
    DataColumns columns;
    bool hasGroupColumn = false;
    bool hasSexColumn = false;
    bool hasBirthColumn = false;
    // The file and how it was read, for running the analysis again.
    DataSource source;
    // Of a text file: the first line whose case is not valid (cut to
    // kInvalidLineShown bytes) and its line number, 0 when every case is valid.
    std::string firstInvalidLine;
    std::int64_t firstInvalidLineNumber = 0;
    // What the reader changed or could not use, a sentence each (field
    // names made unique, lines whose quotes do not close).
    std::vector<std::string> notes;
    // The groups as the file gave them, kept once cases are selected or
    // regrouped (analysis/CaseChoice): the group list, each record's place in
    // it, and whether the file had a group column.
    struct FileGrouping {
        std::vector<CGroupInfo> groups;
        std::vector<std::int32_t> groupIndex;
        bool hasGroupColumn = false;
    };
    std::optional<FileGrouping> fileGrouping;
};

inline constexpr std::size_t kInvalidLineShown = 200;

}  // namespace kalderon
