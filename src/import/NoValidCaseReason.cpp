#include "import/NoValidCaseReason.h"

#include <algorithm>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/CaseValidity.h"

namespace kalderon {
namespace {

// The faults of a case, each date that could not be read named with its
// pattern.
std::string FaultsWithPatterns(std::uint32_t faults, const TextImportSettings& settings)
{
    const struct {
        CaseFault fault;
        const char* role;
        const std::string& pattern;
    } dates[] = {{kFaultBeginDate, text::kBeginDateRole, settings.beginFormat},
                 {kFaultEndDate, text::kEndDateRole, settings.endFormat},
                 {kFaultBirthDate, text::kBirthDateRole, settings.birthFormat}};
    std::string out;
    for (const auto& date : dates) {
        if (!(faults & date.fault)) continue;
        if (!out.empty()) out += ", ";
        out += FormatText(text::kDateDoesNotMatch, date.role, date.pattern);
        faults &= ~date.fault;
    }
    if (const std::string rest = CaseFaultText(faults); !rest.empty()) out += (out.empty() ? "" : ", ") + rest;
    return out;
}

}  // namespace

std::optional<std::string> NoValidCaseReason(const DataSet& data, const TextImportSettings* settings)
{
    const std::vector<CCaseRecord>& records = data.cases.records;
    if (records.empty() || std::any_of(records.begin(), records.end(), [](const CCaseRecord& c) { return c.isValid; }))
        return std::nullopt;
    const auto first = std::min_element(records.begin(), records.end(), [](const CCaseRecord& a, const CCaseRecord& b) {
        return a.caseNumber < b.caseNumber;
    });
    const std::uint32_t faults = CaseFaults(*first, data.hasBirthColumn);
    const auto count = static_cast<long long>(records.size());
    if (settings && data.firstInvalidLineNumber > 0) {
        std::string line = data.firstInvalidLine;
        if (line.size() >= kInvalidLineShown) line += "...";
        return FormatText(text::kNoValidCaseInFile, count, FaultsWithPatterns(faults, *settings),
                          static_cast<long long>(data.firstInvalidLineNumber), line);
    }
    return FormatText(text::kNoValidCaseInTable, count, CaseFaultText(faults),
                      static_cast<long long>(first->caseNumber));
}

}  // namespace kalderon
