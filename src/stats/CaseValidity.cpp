#include "stats/CaseValidity.h"

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {

std::uint32_t CaseFaults(const CCaseRecord& c, bool hasBirthColumn)
{
    std::uint32_t faults = 0;
    if (c.caseNumber < 0) faults |= kFaultCaseNumber;
    if (!c.beginDate.isValid()) faults |= kFaultBeginDate;
    if (!c.endDate.isValid()) faults |= kFaultEndDate;
    if (c.beginDate.isValid() && c.endDate.isValid() && c.endDate.serial() < c.beginDate.serial())
        faults |= kFaultEndBeforeBegin;
    if (hasBirthColumn) {
        if (!c.birthDate.isValid())
            faults |= kFaultBirthDate;
        else if (c.beginDate.isValid() && c.birthDate.serial() > c.beginDate.serial())
            faults |= kFaultBirthAfterBegin;
    }
    return faults;
}

std::string CaseFaultText(std::uint32_t faults)
{
    static constexpr struct {
        CaseFault fault;
        const char* text;
    } kTexts[] = {
        {kFaultCaseNumber, text::kInvalidCaseNumber}, {kFaultBeginDate, text::kInvalidBeginDate},
        {kFaultEndDate, text::kInvalidEndDate},       {kFaultEndBeforeBegin, text::kEndBeforeBegin},
        {kFaultBirthDate, text::kInvalidBirthDate},   {kFaultBirthAfterBegin, text::kBirthAfterBegin},
    };
    std::string out;
    for (const auto& entry : kTexts) {
        if (!(faults & entry.fault)) continue;
        if (!out.empty()) out += ", ";
        out += entry.text;
    }
    return out;
}

CaseCounts CountCases(const std::vector<CCaseRecord>& records)
{
    CaseCounts counts;
    counts.read = static_cast<std::int64_t>(records.size());
    for (const CCaseRecord& c : records) counts.valid += c.isValid ? 1 : 0;
    return counts;
}

std::string CaseCountsText(const CaseCounts& counts)
{
    return FormatText(text::kCaseCounts, static_cast<long long>(counts.read), static_cast<long long>(counts.valid),
                      static_cast<long long>(counts.skipped()));
}

}  // namespace kalderon
