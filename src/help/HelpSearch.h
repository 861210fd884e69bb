#pragma once

#include <string>
#include <vector>

namespace kalderon {

class ChmArchive;

// A page found by a search: its stored name and its title.
struct HelpSearchHit {
    std::string page;
    std::string title;
};

// The pages (".htm" files) of the help file whose text holds every word of
// `query`, letter case ignored; the pages with the most occurrences first,
// equal counts in the order of the archive.  An empty query finds nothing.
std::vector<HelpSearchHit> SearchHelpPages(const ChmArchive& archive, const std::string& query);

}  // namespace kalderon
