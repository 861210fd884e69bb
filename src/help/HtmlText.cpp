#include "help/HtmlText.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace kalderon {
namespace {

// The character an entity stands for; the entity itself when unknown.
std::string DecodeEntities(const std::string& text)
{
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&apos;", "'"},
        {"&nbsp;", " "}, {"&minus;", "\xE2\x88\x92"}, {"&times;", "\xC3\x97"}, {"&middot;", "\xC2\xB7"},
        {"&le;", "\xE2\x89\xA4"}, {"&ge;", "\xE2\x89\xA5"}, {"&ndash;", "\xE2\x80\x93"}, {"&sup3;", "\xC2\xB3"},
    };
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        bool decoded = false;
        if (text[i] == '&') {
            for (const auto& [entity, character] : kEntities) {
                const size_t length = std::char_traits<char>::length(entity);
                if (text.compare(i, length, entity) == 0) {
                    out += character;
                    i += length;
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded) out += text[i++];
    }
    return out;
}

std::string CollapseBlanks(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (std::isspace(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += static_cast<char>(c);
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

std::string AsciiLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string HtmlPlainText(const std::string& html)
{
    const std::string lower = AsciiLower(html);
    std::string text;
    size_t i = 0;
    while (i < html.size()) {
        if (html[i] != '<') {
            const size_t next = html.find('<', i);
            text.append(html, i, (next == std::string::npos ? html.size() : next) - i);
            i = next == std::string::npos ? html.size() : next;
            continue;
        }
        size_t end;
        if (lower.compare(i, 4, "<!--") == 0) {
            end = lower.find("-->", i);
            end = end == std::string::npos ? html.size() : end + 3;
        } else if (lower.compare(i, 7, "<script") == 0 || lower.compare(i, 6, "<style") == 0) {
            const std::string close = lower.compare(i, 7, "<script") == 0 ? "</script>" : "</style>";
            end = lower.find(close, i);
            end = end == std::string::npos ? html.size() : end + close.size();
        } else {
            end = html.find('>', i);
            end = end == std::string::npos ? html.size() : end + 1;
        }
        text += ' ';
        i = end;
    }
    return CollapseBlanks(DecodeEntities(text));
}

std::string HtmlTitle(const std::string& html)
{
    const std::string lower = AsciiLower(html);
    const size_t open = lower.find("<title>");
    if (open == std::string::npos) return {};
    const size_t close = lower.find("</title>", open);
    if (close == std::string::npos) return {};
    return CollapseBlanks(DecodeEntities(html.substr(open + 7, close - open - 7)));
}

std::string HtmlAttribute(const std::string& tag, const std::string& name)
{
    const std::string lower = AsciiLower(tag);
    const std::string wanted = AsciiLower(name);
    for (size_t at = lower.find(wanted); at != std::string::npos; at = lower.find(wanted, at + 1)) {
        if (at == 0 || !std::isspace(static_cast<unsigned char>(lower[at - 1]))) continue;
        size_t i = at + wanted.size();
        while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
        if (i >= lower.size() || lower[i] != '=') continue;
        ++i;
        while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
        if (i >= tag.size()) return {};
        if (tag[i] == '"' || tag[i] == '\'') {
            const size_t close = tag.find(tag[i], i + 1);
            return DecodeEntities(tag.substr(i + 1, (close == std::string::npos ? tag.size() : close) - i - 1));
        }
        size_t end = i;
        while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end])) && tag[end] != '>') ++end;
        return DecodeEntities(tag.substr(i, end - i));
    }
    return {};
}

}  // namespace kalderon
