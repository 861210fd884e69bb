#pragma once

#include <vector>

#include "analysis/CaseCondition.h"
#include "analysis/CaseGrouping.h"
#include "import/DataSet.h"

namespace kalderon {

// Which cases of a data set the analyses take, all conditions holding, and
// how they are grouped.
struct CaseChoice {
    std::vector<CaseCondition> conditions;
    CaseGrouping grouping;

    bool any() const { return !conditions.empty() || grouping.regroups(); }
};

// Makes the data set analyse the cases chosen, grouped as chosen, as if its
// file had held only those cases with a column of their groups: the records
// left out are marked in CaseList::selected; the group list, each record's
// group, the facts of the expected survival, the bookkeeping of the
// analysis record (codes, first begin, last end, longest observation), its
// groups and its selection line follow the choice.  Groups are ordered by
// their values: numbers and bands in numeric order, texts byte-wise, an
// empty value first; a choice of nothing gives back the data set as read.
// The file is not read again.
void ApplyCaseChoice(DataSet& data, const CaseChoice& choice);

}  // namespace kalderon
