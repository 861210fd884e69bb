#include "cli/AnalysisFileArguments.h"

#include <algorithm>
#include <optional>
#include <set>

#include "analysis/ChosenTimesText.h"
#include "cli/BatchOptionTable.h"

namespace kalderon::batch {
namespace {

constexpr const char* kAnalysisFileOption = "--analysis-file";
constexpr const char* kWriteAnalysisFileOption = "--write-analysis-file";

// Options that replace each other.
const std::vector<std::pair<std::string, std::string>> kReplacingEachOther = {
    {"--stratified", "--no-stratified"},
    {"--male", "--female"},
};

// One argument of a command line: an option with its value, or the input
// file (an empty name).
struct Argument {
    std::string name;
    std::optional<std::string> value;
};

// The command line read into its arguments as ParseCommandLine reads it;
// an option it does not know stands with its text as the name.
std::vector<Argument> ArgumentsOf(const std::vector<std::string>& arguments)
{
    std::vector<Argument> read;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            read.push_back({"", argument});
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionDeclaration* option = FindOption(name);
        if (equals != std::string::npos) {
            read.push_back({name, argument.substr(equals + 1)});
        } else if (option && option->valueOptional) {
            if (i + 1 < arguments.size() && ParseTimeText(arguments[i + 1]))
                read.push_back({name, arguments[++i]});
            else
                read.push_back({name, std::nullopt});
        } else if (option && option->takesValue() && i + 1 < arguments.size()) {
            read.push_back({name, arguments[++i]});
        } else {
            read.push_back({name, std::nullopt});
        }
    }
    return read;
}

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
    const std::vector<Argument> given = ArgumentsOf(arguments);
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
    for (const Argument& a : ArgumentsOf(arguments)) {
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
