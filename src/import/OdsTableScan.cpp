#include "import/OdsTableScan.h"

#include <array>
#include <charconv>
#include <optional>
#include <cstring>
#include <string_view>

#include "import/Utf16Text.h"

namespace kalderon {
namespace {

constexpr std::size_t kPieceBytes = 1 << 16;
constexpr std::size_t kLongestTag = 1 << 16;

constexpr std::array<bool, 256> kNameEnds = [] {
    std::array<bool, 256> ends{};
    for (const char c : {' ', '\t', '\r', '\n', '/', '>'}) ends[static_cast<unsigned char>(c)] = true;
    return ends;
}();

bool IsNameEnd(char c) { return kNameEnds[static_cast<unsigned char>(c)]; }

void AppendUtf8(std::string& out, unsigned long code)
{
    char bytes[4];
    if (code < 0x110000) out.append(bytes, EncodeUtf8(static_cast<std::uint32_t>(code), bytes));
}

// An attribute value with its character and entity references replaced.
std::string Unescaped(std::string_view value)
{
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::size_t end = value[i] == '&' ? value.find(';', i) : std::string_view::npos;
        if (end == std::string_view::npos) {
            out += value[i];
            continue;
        }
        const std::string_view reference = value.substr(i + 1, end - i - 1);
        if (!reference.empty() && reference[0] == '#') {
            const bool hex = reference.size() > 1 && reference[1] == 'x';
            unsigned long code = 0;
            const std::string_view digits = reference.substr(hex ? 2 : 1);
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            AppendUtf8(out, code);
        } else {
            for (const auto& [name, c] : kEntities)
                if (reference == name) out += c;
        }
        i = end;
    }
    return out;
}

// The value of the attribute of local name "name" in a start tag.
std::string NameAttribute(std::string_view tag)
{
    std::size_t at = 0;
    while (at < tag.size() && !IsNameEnd(tag[at])) ++at;
    while (at < tag.size()) {
        const std::size_t equals = tag.find('=', at);
        if (equals == std::string_view::npos) break;
        std::string_view attribute = tag.substr(at, equals - at);
        while (!attribute.empty() && std::strchr(" \t\r\n", attribute.front())) attribute.remove_prefix(1);
        while (!attribute.empty() && std::strchr(" \t\r\n", attribute.back())) attribute.remove_suffix(1);
        const std::size_t open = tag.find_first_of("\"'", equals);
        if (open == std::string_view::npos) break;
        const std::size_t close = tag.find(tag[open], open + 1);
        if (close == std::string_view::npos) break;
        const std::size_t colon = attribute.rfind(':');
        if ((colon == std::string_view::npos ? attribute : attribute.substr(colon + 1)) == "name")
            return Unescaped(tag.substr(open + 1, close - open - 1));
        at = close + 1;
    }
    return std::string();
}

// The ">" that ends the tag starting at `open` (skipping quoted attribute
// values, which may hold ">"), or npos while the tag is cut off.
std::size_t TagEnd(std::string_view text, std::size_t open)
{
    char quote = 0;
    for (std::size_t at = open; at < text.size(); ++at) {
        const char c = text[at];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

ReadResult<std::optional<std::vector<std::string>>> ScanTableNames(ZipMember& content)
{
    std::vector<std::string> names;
    std::string buffer;
    std::size_t at = 0;  // where the scan goes on in `buffer`
    int depth = 0;
    for (bool last = false; !last;) {
        const std::size_t kept = buffer.size();
        buffer.resize(kept + kPieceBytes);
        const ReadResult<std::size_t> got = content.Read(buffer.data() + kept, kPieceBytes);
        if (!got) return got.fault();
        buffer.resize(kept + *got);
        last = *got == 0;
        const std::string_view text(buffer);
        for (;;) {
            const std::size_t open = text.find('<', at);
            if (open == std::string_view::npos || (text.size() - open < 9 && !last)) {
                at = open == std::string_view::npos ? text.size() : open;
                break;
            }
            const char kind = open + 1 < text.size() ? text[open + 1] : '\0';
            if (kind == '!' || kind == '?') {
                std::size_t end;
                if (text.compare(open, 4, "<!--") == 0) end = text.find("-->", open + 4);
                else if (text.compare(open, 9, "<![CDATA[") == 0) end = text.find("]]>", open + 9);
                else if (kind == '?') end = text.find("?>", open + 2);
                else end = TagEnd(text, open);
                if (end == std::string_view::npos) {
                    at = last ? text.size() : open;
                    break;
                }
                at = end + 1;
                continue;
            }
            // Attribute values hold no "<": a tag of another name is passed
            // by its name alone.
            const bool closing = kind == '/';
            const std::size_t nameFrom = open + (closing ? 2 : 1);
            std::size_t nameEnd = nameFrom;
            while (nameEnd < text.size() && !IsNameEnd(text[nameEnd])) ++nameEnd;
            if (nameEnd == text.size()) {
                at = last ? text.size() : open;
                break;
            }
            // The part after the last ":" is "table".
            const std::string_view name = text.substr(nameFrom, nameEnd - nameFrom);
            if (!name.ends_with("table") || (name.size() > 5 && name[name.size() - 6] != ':')) {
                at = nameEnd;
                continue;
            }
            const std::size_t end = TagEnd(text, nameEnd);
            if (end == std::string_view::npos) {
                at = last ? text.size() : open;
                break;
            }
            const std::string_view tag = text.substr(nameFrom, end - nameFrom);
            if (closing) {
                --depth;
            } else {
                if (depth == 0) names.push_back(NameAttribute(tag));
                if (tag.back() != '/') ++depth;
            }
            at = end + 1;
        }
        // Only a cut-off piece of markup is kept for the next piece.
        if (buffer.size() - at > kLongestTag) return std::nullopt;
        buffer.erase(0, at);
        at = 0;
    }
    return names;
}

}  // namespace kalderon
