#include "help/HelpSearch.h"

#include <algorithm>
#include <sstream>

#include "help/ChmArchive.h"
#include "help/HtmlText.h"

namespace kalderon {
namespace {

size_t CountOccurrences(const std::string& text, const std::string& word)
{
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++count;
    return count;
}

}  // namespace

std::vector<HelpSearchHit> SearchHelpPages(const ChmArchive& archive, const std::string& query)
{
    std::vector<std::string> words;
    std::istringstream split(AsciiLower(query));
    for (std::string word; split >> word;) words.push_back(word);
    if (words.empty()) return {};

    struct Found {
        HelpSearchHit hit;
        size_t occurrences;
    };
    std::vector<Found> found;
    for (const std::string& page : archive.Files()) {
        const std::string lowerName = AsciiLower(page);
        if (lowerName.size() < 4 || lowerName.compare(lowerName.size() - 4, 4, ".htm") != 0) continue;
        const std::optional<std::string> html = archive.Read(page);
        if (!html) continue;
        const std::string text = AsciiLower(HtmlPlainText(*html));
        size_t occurrences = 0;
        bool all = true;
        for (const std::string& word : words) {
            const size_t n = CountOccurrences(text, word);
            all = all && n > 0;
            occurrences += n;
        }
        if (all) found.push_back({{page, HtmlTitle(*html)}, occurrences});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.occurrences > b.occurrences; });
    std::vector<HelpSearchHit> hits;
    for (Found& f : found) hits.push_back(std::move(f.hit));
    return hits;
}

}  // namespace kalderon
