#include "results/WorkbookSheetNames.h"

#include <algorithm>
#include <cctype>

namespace kalderon {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first `characters` UTF-8 characters of `text`.
std::string FirstCharacters(const std::string& text, size_t characters)
{
    size_t end = 0;
    for (size_t counted = 0; end < text.size(); ++end) {
        if (IsContinuation(text[end])) continue;
        if (counted == characters) break;
        ++counted;
    }
    return text.substr(0, end);
}

size_t Characters(const std::string& text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

std::string Folded(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Valid(std::string_view wanted)
{
    std::string name;
    for (const char c : wanted) {
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos)
            name += '_';
        else if (static_cast<unsigned char>(c) >= 0x20)
            name += c;
    }
    name = FirstCharacters(name, WorkbookSheetNames::kMaxLength);
    while (!name.empty() && name.front() == '\'') name.erase(0, 1);
    while (!name.empty() && name.back() == '\'') name.pop_back();
    return name.empty() ? std::string("Sheet") : name;
}

}  // namespace

bool WorkbookSheetNames::Taken(const std::string& name) const
{
    return std::find(folded_.begin(), folded_.end(), Folded(name)) != folded_.end();
}

std::string WorkbookSheetNames::Unique(std::string_view wanted)
{
    const std::string base = Valid(wanted);
    std::string name = base;
    for (int n = 2; Taken(name); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        name = FirstCharacters(base, kMaxLength - Characters(suffix)) + suffix;
    }
    folded_.push_back(Folded(name));
    return name;
}

}  // namespace kalderon
