#pragma once

#include <string>
#include <vector>

namespace kalderon::batch {

// The start of every message on standard error.
inline constexpr const char* kProgram = "kalderon-batch: ";

// An engine error text without its closing blank lines.
inline std::string OneMessage(std::string text)
{
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// "a", "b", "c" with each text in double quotes.
inline std::string QuotedList(const std::vector<std::string>& texts)
{
    std::string list;
    for (const std::string& text : texts) list += (list.empty() ? "\"" : ", \"") + text + "\"";
    return list;
}

}  // namespace kalderon::batch
