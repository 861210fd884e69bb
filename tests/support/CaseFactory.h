#pragma once

#include <string>
#include <string_view>

#include "stats/CaseRecord.h"

namespace kalderon::testing {

inline DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

// A case built as an import would, from dates given as day counts since
// 01.01.2000 (or invalid when `valid` is false).
inline CCaseRecord MakeCase(int number, DateValue begin, DateValue end, std::string status,
                            std::string group = "", std::string sex = "", DateValue birth = DateValue::Null(),
                            bool hasBirthColumn = false)
{
    ImportedRecordValues v;
    v.caseNumber = number;
    v.beginDate = begin;
    v.endDate = end;
    v.statusText = std::move(status);
    v.groupText = std::move(group);
    v.sexText = std::move(sex);
    v.birthDate = birth;
    return BuildCase(v, hasBirthColumn);
}

// A status text as a follow-up cut at the end of the period counts it.
inline std::string CutText(std::string_view status)
{
    std::string text(status.size() + 1, 'C');
    status.copy(text.data(), status.size());
    return text;
}

}  // namespace kalderon::testing
