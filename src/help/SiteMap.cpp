#include "help/SiteMap.h"

#include "help/HtmlText.h"

namespace kalderon {

std::vector<SiteMapEntry> ParseSiteMap(const std::string& html)
{
    const std::string lower = AsciiLower(html);
    std::vector<SiteMapEntry> entries;
    int depth = -1;
    SiteMapEntry entry;
    bool inObject = false;
    for (size_t open = lower.find('<'); open != std::string::npos; open = lower.find('<', open + 1)) {
        const size_t close = lower.find('>', open);
        if (close == std::string::npos) break;
        const std::string tag = html.substr(open, close - open + 1);
        const std::string name = AsciiLower(tag.substr(1, tag.find_first_of(" \t\r\n>", 1) - 1));
        if (name == "ul") {
            ++depth;
        } else if (name == "/ul") {
            --depth;
        } else if (name == "object" && AsciiLower(HtmlAttribute(tag, "type")) == "text/sitemap") {
            entry = SiteMapEntry{{}, {}, depth < 0 ? 0 : depth};
            inObject = true;
        } else if (name == "param" && inObject) {
            const std::string param = AsciiLower(HtmlAttribute(tag, "name"));
            if (param == "name" && entry.name.empty()) entry.name = HtmlAttribute(tag, "value");
            if (param == "local" && entry.local.empty()) entry.local = HtmlAttribute(tag, "value");
        } else if (name == "/object" && inObject) {
            entries.push_back(entry);
            inObject = false;
        }
        open = close;
    }
    return entries;
}

}  // namespace kalderon
