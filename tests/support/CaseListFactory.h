#pragma once

#include <random>
#include <string>
#include <vector>

#include "stats/CaseList.h"
#include "support/CaseFactory.h"

namespace kalderon::testing {

// The case list an import of these rows would build, with the record's
// bookkeeping and a prepared yearly time window.
inline CaseList BuildCaseList(CAnalysisData& data, const std::vector<CCaseRecord>& rows,
                              const std::string& path = "cases.txt")
{
    CaseListBuilder builder(data);
    for (const CCaseRecord& c : rows) builder.Add(c);
    CaseList list = builder.Finish();
    list.sourcePath = path;
    data.eventCode = std::string("1");  // assigning the literal trips a false -Wrestrict of GCC 12 here
    data.PrepareTimeWindow();
    return list;
}

// The bundled hand-made example: groups A and B of six cases, 1995-2004.
inline std::vector<CCaseRecord> TinyCases()
{
    struct Row {
        DateValue begin, end;
        const char* status;
        const char* group;
    };
    const Row rows[] = {
        {Ymd(1995, 1, 1), Ymd(1996, 7, 1), "1", "A"},   {Ymd(1995, 1, 1), Ymd(2004, 12, 31), "0", "A"},
        {Ymd(1996, 7, 1), Ymd(1998, 7, 1), "1", "A"},   {Ymd(1998, 1, 1), Ymd(1999, 1, 1), "1", "A"},
        {Ymd(1998, 1, 1), Ymd(1999, 1, 2), "0", "A"},   {Ymd(2000, 1, 1), Ymd(2003, 7, 1), "1", "A"},
        {Ymd(1995, 1, 1), Ymd(1997, 1, 1), "1", "B"},   {Ymd(1995, 1, 1), Ymd(1997, 1, 1), "0", "B"},
        {Ymd(1996, 6, 1), Ymd(1997, 6, 1), "1", "B"},   {Ymd(1996, 6, 1), Ymd(1997, 6, 1), "1", "B"},
        {Ymd(2001, 1, 1), Ymd(2004, 12, 31), "0", "B"}, {Ymd(2000, 7, 1), Ymd(2001, 6, 30), "1", "B"},
    };
    std::vector<CCaseRecord> cases;
    int number = 1;
    for (const Row& r : rows) cases.push_back(MakeCase(number++, r.begin, r.end, r.status, r.group));
    return cases;
}

// Random cases around 2000 with many ties: follow-up of 0 to `maxDays` days
// begun within `beginSpan` days, statuses "1" (the event), "0" and "2", groups
// "a" and "b", and now and then an invalid row.
inline std::vector<CCaseRecord> RandomCases(std::mt19937& rng, int n, int beginSpan, int maxDays)
{
    std::uniform_int_distribution<int> begin(0, beginSpan);
    std::uniform_int_distribution<int> length(0, maxDays);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<CCaseRecord> cases;
    for (int i = 1; i <= n; ++i) {
        const double b = 36526.0 + begin(rng);  // 01.01.2000
        const int p = percent(rng);
        const int days = p < 8 ? 0 : length(rng);  // deaths and censorings at time 0 too
        const DateValue end = p == 99 ? DateValue::Invalid() : DateValue::FromSerial(b + days);
        const char* status = percent(rng) < 55 ? "1" : (percent(rng) < 80 ? "0" : "2");
        cases.push_back(MakeCase(i, DateValue::FromSerial(b), end, status, percent(rng) < 60 ? "a" : "b"));
    }
    return cases;
}

}  // namespace kalderon::testing
