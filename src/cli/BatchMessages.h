#pragma once

#include <string>
#include <vector>

#include "import/ReaderFault.h"

namespace kalderon::batch {

// The start of every message on standard error.
inline constexpr const char* kProgram = "kalderon-batch: ";

// The message of a reader's fault without its closing blank lines.
inline std::string FaultMessage(const ReaderFault& fault)
{
    std::string text = ReaderFaultMessage(fault);
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
