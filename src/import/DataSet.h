#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// What reading a data file yields: the cases, the analysis record their
// bookkeeping went into, and which optional columns the file was read with.
struct DataSet {
    CAnalysisData analysis;
    CaseList cases;
    bool hasGroupColumn = false;
    bool hasSexColumn = false;
    bool hasBirthColumn = false;
};

}  // namespace kalderon
