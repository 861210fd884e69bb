#pragma once

#include <algorithm>
#include <random>
#include <string>

#include "stats/CaseList.h"

namespace kalderon::bench {

// A seeded registry-like data set: `n` cases begun 1990-2009 and followed
// until death or at the latest 31.12.2013 (a window of 24 years, so a trend
// of width 5 has 20 starting years), four groups, about one in a thousand
// rows invalid.
inline CaseList SurvivalCases(CAnalysisData& data, int n)
{
    std::mt19937 rng(20240611);
    const double first = DateValue::FromYmd(1990, 1, 1).serial();
    const double closing = DateValue::FromYmd(2013, 12, 31).serial();
    std::uniform_int_distribution<int> begin(0, static_cast<int>(DateValue::FromYmd(2009, 12, 31).serial() - first));
    std::exponential_distribution<double> survival(1.0 / 2500.0);
    std::uniform_int_distribution<int> percent(0, 999);
    static const char* kGroups[] = {"colon", "rectum", "stomach", "liver"};

    CaseListBuilder builder(data);
    for (int i = 1; i <= n; ++i) {
        ImportedRecordValues v;
        v.caseNumber = i;
        const double b = first + begin(rng);
        const double death = b + std::floor(survival(rng));
        v.beginDate = DateValue::FromSerial(b);
        v.endDate = percent(rng) == 0 ? DateValue::Invalid() : DateValue::FromSerial(std::min(death, closing));
        v.statusText = death <= closing && percent(rng) < 900 ? "1" : "0";
        v.groupText = kGroups[percent(rng) % 4];
        v.sexText = percent(rng) < 500 ? "1" : "2";
        builder.Add(BuildCase(v, false));
    }
    CaseList cases = builder.Finish();
    cases.sourcePath = "bench.txt";
    data.eventCode = "1";
    data.ciLevelText = ".95";
    data.PrepareTimeWindow();
    return cases;
}

}  // namespace kalderon::bench
