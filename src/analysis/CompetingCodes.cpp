#include "analysis/CompetingCodes.h"

#include <algorithm>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {

std::vector<std::string> SplitCodes(const std::string& text)
{
    std::vector<std::string> codes;
    if (text.empty()) return codes;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        codes.push_back(text.substr(start, comma - start));
    codes.push_back(text.substr(start));
    return codes;
}

Refusal SetCompetingCodes(CAnalysisData& data, const std::vector<std::string>& eventCodes,
                          const std::vector<std::string>& competingCodes)
{
    if (eventCodes.empty()) return text::kNoIncidenceCode;
    std::vector<std::string> all = eventCodes;
    all.insert(all.end(), competingCodes.begin(), competingCodes.end());
    for (size_t i = 0; i < all.size(); ++i)
        if (std::find(all.begin(), all.begin() + i, all[i]) != all.begin() + i)
            return FormatText(text::kIncidenceCodeTwice, all[i]);
    data.incidenceCodes = eventCodes;
    data.competingCodes = competingCodes;
    data.eventCode = eventCodes.front();
    return std::nullopt;
}

std::vector<std::string> CodesNotSeen(const CAnalysisData& data, const std::vector<std::string>& codes)
{
    std::vector<std::string> absent;
    for (const std::string& code : codes)
        if (std::find(data.statusCodes.begin(), data.statusCodes.end(), code) == data.statusCodes.end())
            absent.push_back(code);
    return absent;
}

}  // namespace kalderon
