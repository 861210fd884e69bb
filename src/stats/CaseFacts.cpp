#include "stats/CaseFacts.h"

#include <algorithm>
#include <unordered_map>

#include "common/LargeArrays.h"
#include "common/TextNumbering.h"
#include "stats/CalendarTable.h"

namespace kalderon {
namespace {

// Numbers keys in order of first appearance.
template <typename Key>
class FirstAppearance {
public:
    template <typename Append>
    std::uint32_t operator()(const Key& key, Append append)
    {
        if (any_ && lastKey_ == key) return last_;
        auto [it, isNew] = numbers_.try_emplace(key, static_cast<std::uint32_t>(numbers_.size()));
        if (isNew) append();
        any_ = true;
        lastKey_ = key;
        return last_ = it->second;
    }

private:
    std::unordered_map<Key, std::uint32_t> numbers_;
    bool any_ = false;
    Key lastKey_{};
    std::uint32_t last_ = 0;
};

// The position of `text` among `codes`, which it joins when it is new.
std::uint32_t CodeNumber(TextNumbering& numbers, std::string_view text, std::vector<std::string>& codes)
{
    const auto [number, isNew] = numbers.Number(text);
    if (isNew) codes.emplace_back(text);
    return static_cast<std::uint32_t>(number);
}

std::uint64_t Pack(std::uint32_t high, std::uint32_t low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
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

void FillCaseFacts(CaseFacts& facts, const std::vector<CCaseRecord>& records,
                   const std::vector<std::int32_t>& groupIndex, const std::vector<std::uint8_t>& selected)
{
    facts.cases.clear();
    facts.starts.clear();
    facts.groupStarts.clear();
    facts.sexCodes.clear();
    facts.statusCodes.clear();
    ResizeLarge(facts.cases, records.size());
    ResizeLarge(facts.beginDays, records.size());
    ResizeLarge(facts.endDays, records.size());
    TextNumbering sexNumbers, statusNumbers;
    FirstAppearance<std::uint64_t> startNumber, groupStartNumber;
    for (size_t k = 0; k < records.size(); ++k) {
        const CCaseRecord& c = records[k];
        facts.beginDays[k] = c.beginDate.serial();
        facts.endDays[k] = c.endDate.serial();
        if (!c.isValid || (!selected.empty() && selected[k] == 0)) continue;
        const YearAndDay begin = LookUpYearAndDay(c.beginDate);
        const StartKey start{static_cast<std::int16_t>(begin.year),
                             static_cast<std::int16_t>(std::max(0, CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), begin))),
                             CodeNumber(sexNumbers, c.sexText, facts.sexCodes)};
        const std::uint64_t packed =
            Pack((static_cast<std::uint32_t>(static_cast<std::uint16_t>(start.year)) << 16) |
                     static_cast<std::uint16_t>(start.age),
                 start.sexCode);
        CaseFact& fact = facts.cases[k];
        fact.observationDays = c.observationDays;
        fact.start = startNumber(packed, [&] { facts.starts.push_back(start); });
        fact.groupStart = groupStartNumber(Pack(static_cast<std::uint32_t>(groupIndex[k]), fact.start),
                                           [&] { facts.groupStarts.push_back({groupIndex[k], fact.start}); });
        fact.statusCode = CodeNumber(statusNumbers, c.statusText, facts.statusCodes);
    }
}

}  // namespace kalderon
