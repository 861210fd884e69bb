#pragma once

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "stats/ProductLimit.h"

namespace kalderon::bench {

// The generated cases spread over five groups by case number, with their
// product-limit tables computed.
struct FiveGroups {
    CAnalysisData data;
    CaseList cases;
};

inline FiveGroups& FiveGroupData(std::int64_t count)
{
    static FiveGroups five;
    static std::int64_t madeCount = 0;
    if (madeCount != count) {
        static const char* const codes[] = {"a", "b", "c", "d", "e"};
        five.data = CAnalysisData();
        CaseListBuilder builder(five.data);
        const CaseList& shared = SharedDataSet(count).cases;
        builder.Reserve(shared.records.size());
        for (size_t row = 0; row < shared.rowToList.size(); ++row) {
            CCaseRecord c = shared.row(row);
            c.groupText = codes[c.caseNumber % 5];
            builder.Add(std::move(c));
        }
        five.cases = builder.Finish();
        ApplyParameterChoices(five.data, ParameterChoices{"1", 0, ".95"});
        (void)ComputeProductLimit(five.data, five.cases, true);  // never refused without relative survival
        madeCount = count;
    }
    return five;
}

}  // namespace kalderon::bench
