#include "stats/CaseFacts.h"

#include <algorithm>
#include <tuple>

#include "common/LargeArrays.h"
#include "common/TextNumbering.h"
#include "stats/CalendarTable.h"

namespace kalderon {
namespace {

std::uint64_t Pack(std::uint32_t high, std::uint32_t low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Empties `facts` (keeping its room) and sizes it for `records` records,
// with every fact that of an invalid record.
void ResetCaseFacts(CaseFacts& facts, size_t records)
{
    facts.cases.clear();
    facts.starts.clear();
    facts.groupStarts.clear();
    facts.sexCodes.clear();
    facts.statusCodes.clear();
    ResizeLarge(facts.cases, records);
    ResizeLarge(facts.beginDays, records);
    ResizeLarge(facts.endDays, records);
}

}  // namespace

std::vector<std::uint8_t> CaseFacts::Matches(const std::vector<std::string>& codes, const std::string& text)
{
    std::vector<std::uint8_t> matches(codes.size());
    for (size_t i = 0; i < codes.size(); ++i) matches[i] = codes[i] == text ? 1 : 0;
    return matches;
}

CaseFacts BuildCaseFacts(const std::vector<CCaseRecord>& records, const std::vector<std::int32_t>& groupIndex,
                         const std::vector<std::uint8_t>& selected)
{
    CaseFacts facts;
    FillCaseFacts(facts, records, groupIndex, selected);
    return facts;
}

void SetYearAndAge(RecordFacts& facts, const CCaseRecord& c)
{
    const YearAndDay begin = LookUpYearAndDay(c.beginDate);
    facts.year = static_cast<std::int16_t>(begin.year);
    facts.age = static_cast<std::int16_t>(std::max(0, CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), begin)));
}

CaseFactNumbering::CaseFactNumbering(CaseFacts& facts, const std::vector<std::string>& sexTexts,
                                     const std::vector<std::string>& statusTexts)
    : facts_(facts), sexTexts_(sexTexts), statusTexts_(statusTexts)
{
}

std::uint32_t CaseFactNumbering::Code(std::uint32_t number, std::vector<std::uint32_t>& codeOf,
                                      const std::vector<std::string>& texts, std::vector<std::string>& codes)
{
    constexpr std::uint32_t kNone = UINT32_MAX;
    if (number >= codeOf.size()) codeOf.resize(std::max<size_t>(number + 1, codeOf.size() * 2), kNone);
    if (codeOf[number] == kNone) {
        codeOf[number] = static_cast<std::uint32_t>(codes.size());
        codes.push_back(texts[number]);
    }
    return codeOf[number];
}

void CaseFactNumbering::Add(size_t k, const RecordFacts& record, std::int32_t group)
{
    const StartKey start{record.year, record.age, Code(record.sex, sexCodeOf_, sexTexts_, facts_.sexCodes)};
    const std::uint64_t packed =
        Pack((static_cast<std::uint32_t>(static_cast<std::uint16_t>(start.year)) << 16) |
                 static_cast<std::uint16_t>(start.age),
             start.sexCode);
    CaseFact& fact = facts_.cases[k];
    fact.observationDays = record.observationDays;
    bool isNew = false;
    std::tie(fact.start, isNew) = starts_.Number(packed);
    if (isNew) facts_.starts.push_back(start);
    std::tie(fact.groupStart, isNew) = groupStarts_.Number(Pack(static_cast<std::uint32_t>(group), fact.start));
    if (isNew) facts_.groupStarts.push_back({group, fact.start});
    fact.statusCode = Code(record.status, statusCodeOf_, statusTexts_, facts_.statusCodes);
}

void FillCaseFacts(CaseFacts& facts, const std::vector<CCaseRecord>& records,
                   const std::vector<std::int32_t>& groupIndex, const std::vector<std::uint8_t>& selected)
{
    ResetCaseFacts(facts, records.size());
    TextNumbering sexes, statuses;
    CaseFactNumbering numbering(facts, sexes.texts(), statuses.texts());
    for (size_t k = 0; k < records.size(); ++k) {
        const CCaseRecord& c = records[k];
        facts.beginDays[k] = c.beginDate.serial();
        facts.endDays[k] = c.endDate.serial();
        if (!c.isValid || (!selected.empty() && selected[k] == 0)) continue;
        RecordFacts record{c.observationDays, 0, 0, static_cast<std::uint32_t>(sexes.Number(c.sexText).first),
                           static_cast<std::uint32_t>(statuses.Number(c.statusText).first)};
        SetYearAndAge(record, c);
        numbering.Add(k, record, groupIndex[k]);
    }
}

}  // namespace kalderon
