#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/BatchOptions.h"

namespace kalderon::batch {

// Where one role of the case stands, as given on the command line:
// "N[:PATTERN]", with --fixed "FROM-TO[:PATTERN]" (or "N" for N-N), or the
// field names of a database file.
struct RoleArgument {
    std::string text;
    bool given = false;
};

struct RoleArguments {
    RoleArgument begin, end, status, group, sex, birth;
};

// What reading the options one by one gathers; the options are checked
// together afterwards.
struct OptionReading {
    BatchOptions options;
    RoleArguments roles;
    bool textOptionsGiven = false;  // --fixed or --separator
    bool helpRequested = false;
};

// One option of kalderon-batch: its name, the name of its value (none for a
// switch), its text in --help, and what it does with its value: stores it,
// or gives the reason it does not fit, which follows the option's name in
// the message ("needs a file name").
struct OptionDeclaration {
    std::string name;
    std::string argument;  // empty: a switch, which takes no value
    std::string help;      // lines; empty: shown with the text of the next option
    std::function<std::string(OptionReading&, const std::string& value)> apply;
    // The value may be left out; the next argument is then taken only when it
    // is a number.
    bool valueOptional = false;

    bool takesValue() const { return !argument.empty(); }
};

// The options of one part of --help, and the text that follows them there.
struct OptionGroup {
    std::string title;
    std::vector<OptionDeclaration> options;
    std::string note;  // as shown, indented
};

// The title of the group of options that name the files written.
inline constexpr const char* kOutputOptionsTitle = "Output";

// Every option of kalderon-batch, in the order of --help.
const std::vector<OptionGroup>& BatchOptionGroups();

// The option of that name; nullptr when there is none.
const OptionDeclaration* FindOption(std::string_view name);

// One argument of a command line: an option (`name`, before any "=") with
// its value, or, with an empty name, the input file as the value; `text` is
// the argument as written.
struct Argument {
    std::string name;
    std::optional<std::string> value;
    std::string text;
};

// The arguments read as the options take them: a value after "=" or as the
// next argument (for an option whose value may be left out, only when that
// is a number); "--" ends the options.  An option not declared, or one that
// lacks its value at the end, stands without a value.
std::vector<Argument> SplitArguments(const std::vector<std::string>& arguments);

// A whole number of at least 1 written as digits only.
std::optional<std::int32_t> PositiveNumber(const std::string& text);

}  // namespace kalderon::batch
