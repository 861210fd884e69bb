#include "batch/AnalysisFileArguments.h"

#include <algorithm>
#include <optional>
#include <set>

#include "batch/BatchOptionTable.h"

namespace kalderon::batch {
namespace {

constexpr const char* kAnalysisFileOption = "--analysis-file";
constexpr const char* kWriteAnalysisFileOption = "--write-analysis-file";

// Options that replace each other.
const std::vector<std::pair<std::string, std::string>> kReplacingEachOther = {
    {"--stratified", "--no-stratified"},
    {"--male", "--female"},
};

bool IsOutputOption(const std::string& name)
{
    for (const OptionGroup& group : BatchOptionGroups())
        if (group.title == kOutputOptionsTitle)
            return std::any_of(group.options.begin(), group.options.end(),
                               [&](const OptionDeclaration& option) { return option.name == name; });
    return false;
}

bool Replaced(const std::string& name, const std::set<std::string>& given)
{
    if (given.count(name)) return true;
    for (const auto& [one, other] : kReplacingEachOther)
        if ((name == one && given.count(other)) || (name == other && given.count(one))) return true;
    return false;
}

}  // namespace

ExpandedArguments ExpandAnalysisFile(const std::vector<std::string>& arguments)
{
    const std::vector<Argument> given = SplitArguments(arguments);
    const auto fileArgument = std::find_if(given.begin(), given.end(),
                                           [](const Argument& a) { return a.name == kAnalysisFileOption; });
    if (fileArgument == given.end() || !fileArgument->value) return {arguments, ""};

    const ReadResult<AnalysisFile> read = ReadAnalysisFile(*fileArgument->value, [](std::string_view name) {
        const std::string option = "--" + std::string(name);
        return FindOption(option) && option != kAnalysisFileOption && option != kWriteAnalysisFileOption;
    });
    if (!read) return {{}, ReaderFaultMessage(read.fault())};

    std::set<std::string> givenNames;
    bool inputGiven = false;
    for (const Argument& a : given) {
        givenNames.insert(a.name);
        inputGiven = inputGiven || a.name.empty();
    }
    ExpandedArguments expanded;
    if (!inputGiven) expanded.arguments.push_back(read->dataPath);
    for (const StoredOption& option : read->options) {
        const std::string name = "--" + option.name;
        if (Replaced(name, givenNames)) continue;
        if (option.values.empty()) expanded.arguments.push_back(name);
        for (const std::string& value : option.values) expanded.arguments.push_back(name + "=" + value);
    }
    expanded.arguments.insert(expanded.arguments.end(), arguments.begin(), arguments.end());
    return expanded;
}

AnalysisFile AnalysisOfArguments(const std::vector<std::string>& arguments)
{
    AnalysisFile analysis;
    for (const Argument& a : SplitArguments(arguments)) {
        if (a.name.empty()) {
            analysis.dataPath = *a.value;
            continue;
        }
        if (a.name == kAnalysisFileOption || a.name == kWriteAnalysisFileOption || IsOutputOption(a.name)) continue;
        const std::string name = a.name.substr(2);
        auto stored = std::find_if(analysis.options.begin(), analysis.options.end(),
                                   [&](const StoredOption& s) { return s.name == name; });
        if (stored == analysis.options.end()) stored = analysis.options.insert(analysis.options.end(), {name, {}});
        if (a.value) stored->values.push_back(*a.value);
    }
    return analysis;
}

}  // namespace kalderon::batch
