#include "results/ResultTextWriter.h"

#include <utility>

#include "stats/TimeUnit.h"

namespace kalderon {

void LineFormat::AppendTo(std::string& out, const PrintfValue* values, size_t count) const
{
    if (prepared_)
        AppendPrintf(out, *prepared_, values, count);
    else
        AppendPrintf(out, text_, values, count);
}

void ResultTextWriter::BeginSection(int index, const std::string&)
{
    section_ = index;
    rowsInSection_ = 0;
}

// "rel. survival" keeps its column width as "net survival ".
std::string ResultTextWriter::Reworded(std::string text) const
{
    if (!netSurvivalWording_) return text;
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"rel. survival", "net survival "},
                                   {"relative survival", "net survival"}})
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    return text;
}

void ResultTextWriter::CountRow()
{
    rowsInSection_ += 1;
    EndRow(rowsInSection_);
    if (drain_) drain_();
}

void WriteTableHeading(ResultTextWriter& out, const TableHeading& heading, const std::string& ciLevelText,
                       std::int32_t timeUnit)
{
    int unit = 0;
    switch (timeUnit) {
    case kUnitMonth: unit = 1; break;
    case kUnitWeek: unit = 2; break;
    case kUnitDay: unit = 3; break;
    default: break;
    }
    out.AppendHeading(heading.levelLine, ciLevelText);
    out.AppendHeading(heading.unitLines[unit]);
    out.AppendHeading(heading.ruleLine);
    out.ExportHeader(heading.exportHeader);
}

}  // namespace kalderon
