#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "import/ReaderFault.h"
#include "resources/Texts.h"

namespace kalderon::batch {

enum ExitCode : int { kExitSuccess = 0, kExitAnalysisFailed = 1, kExitUsage = 2 };

// One message line on standard error, after the program's name.
inline void WriteMessage(std::ostream& err, std::string_view message)
{
    err << text::kBatchProgram << message << "\n";
}

// The message of a reader's fault without its closing blank lines.
inline std::string FaultMessage(const ReaderFault& fault)
{
    std::string text = ReaderFaultMessage(fault);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// a, b, c.
inline std::string JoinedList(const std::vector<std::string>& texts)
{
    std::string list;
    for (const std::string& text : texts) list += (list.empty() ? "" : ", ") + text;
    return list;
}

// "a", "b", "c" with each text in double quotes.
inline std::string QuotedList(const std::vector<std::string>& texts)
{
    std::string list;
    for (const std::string& text : texts) list += (list.empty() ? "\"" : ", \"") + text + "\"";
    return list;
}

}  // namespace kalderon::batch
