#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "batch/BatchOptionTable.h"

namespace kalderon::batch {
namespace {

std::set<std::string> LongOptionsIn(const std::string& text)
{
    static const std::regex kOption("--[a-z][a-z-]*");
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kOption); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

// The options the README's option tables of kalderon-batch name in their
// first column, in the sections "kalderon-batch" and "Charts".
std::set<std::string> OptionsOfTheReadmeTables()
{
    std::ifstream readme(KALDERON_SOURCE_DIR "/README.md");
    std::set<std::string> options;
    bool inBatchSection = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("## ", 0) == 0) inBatchSection = line == "## kalderon-batch" || line == "## Charts";
        if (!inBatchSection || line.rfind("| `-", 0) != 0) continue;
        // The first cell ends at the first '|' that is not written "\|".
        size_t end = 1;
        while ((end = line.find('|', end)) != std::string::npos && line[end - 1] == '\\') ++end;
        options.merge(LongOptionsIn(line.substr(0, end)));
    }
    return options;
}

std::set<std::string> DeclaredLongOptions()
{
    std::set<std::string> options;
    for (const OptionGroup& group : BatchOptionGroups())
        for (const OptionDeclaration& option : group.options)
            if (option.name.rfind("--", 0) == 0) options.insert(option.name);
    return options;
}

TEST(BatchOptionTableTest, TheReadmeTablesListEveryOptionAndNoOther)
{
    const std::set<std::string> declared = DeclaredLongOptions();
    const std::set<std::string> documented = OptionsOfTheReadmeTables();
    ASSERT_GT(declared.size(), 40u);
    for (const std::string& option : declared)
        EXPECT_TRUE(documented.count(option)) << option << " is not in the README";
    for (const std::string& option : documented)
        EXPECT_TRUE(declared.count(option)) << option << " is in the README but kalderon-batch has no such option";
}

TEST(BatchOptionTableTest, HelpAndTheParserFollowTheTable)
{
    const std::set<std::string> declared = DeclaredLongOptions();
    EXPECT_EQ(LongOptionsIn(UsageText()), declared);
    for (const std::string& option : declared)
        EXPECT_EQ(ParseCommandLine({option}).error.rfind("unknown option", 0), std::string::npos) << option;
}

}  // namespace
}  // namespace kalderon::batch
