#pragma once

#include <string>
#include <vector>

namespace kalderon {

// One entry of a help file's table of contents or index: its text, the
// page it opens ("html/quick_tour.htm", empty for a heading) and its depth
// (0 for the outermost list).
struct SiteMapEntry {
    std::string name;
    std::string local;
    int depth = 0;
};

// The entries of a contents (.hhc) or index (.hhk) file in their order: the
// "Name" and "Local" parameters of every sitemap object, nested in lists.
std::vector<SiteMapEntry> ParseSiteMap(const std::string& html);

}  // namespace kalderon
