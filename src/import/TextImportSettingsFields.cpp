#include "import/TextImportSettingsFields.h"

#include <charconv>
#include <cstdint>

namespace kalderon {
namespace {

constexpr std::int32_t kLargestNumber = 99999;
constexpr size_t kLongestPattern = 64;

// Every setting with its name, so that writing and reading agree.
template <typename Visit>
void VisitFields(TextImportSettings& s, Visit&& visit)
{
    visit("format", s.format);
    visit("separator", s.separator);
    visit("beginColumn", s.beginColumn);
    visit("endColumn", s.endColumn);
    visit("statusColumn", s.statusColumn);
    visit("groupColumn", s.groupColumn);
    visit("sexColumn", s.sexColumn);
    visit("birthColumn", s.birthColumn);
    visit("beginFrom", s.beginFrom);
    visit("beginTo", s.beginTo);
    visit("endFrom", s.endFrom);
    visit("endTo", s.endTo);
    visit("statusFrom", s.statusFrom);
    visit("statusTo", s.statusTo);
    visit("groupFrom", s.groupFrom);
    visit("groupTo", s.groupTo);
    visit("sexFrom", s.sexFrom);
    visit("sexTo", s.sexTo);
    visit("birthFrom", s.birthFrom);
    visit("birthTo", s.birthTo);
    visit("useGroup", s.useGroup);
    visit("useSex", s.useSex);
    visit("useBirth", s.useBirth);
    visit("beginFormat", s.beginFormat);
    visit("endFormat", s.endFormat);
    visit("birthFormat", s.birthFormat);
}

// Settings kept only while they are on, so that the kept settings of a file
// read without them stay as they were.
template <typename Visit>
void VisitSwitches(TextImportSettings& s, Visit&& visit)
{
    visit("firstLineNames", s.firstLineNames);
    visit("quotedFields", s.quotedFields);
}

std::string FieldText(std::int32_t value) { return std::to_string(value); }
std::string FieldText(bool value) { return value ? "1" : "0"; }
std::string FieldText(const std::string& value) { return value; }

bool ReadNumber(const std::string& text, std::int32_t& number)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && stop == end;
}

void Take(const std::string& name, const std::string& value, std::int32_t& field)
{
    std::int32_t number = 0;
    const std::int32_t largest = name == "format" ? TextImportSettings::kFixedColumns : kLargestNumber;
    if (ReadNumber(value, number) && number >= 0 && number <= largest) field = number;
}

void Take(const std::string&, const std::string& value, bool& field)
{
    if (value == "0" || value == "1") field = value == "1";
}

void Take(const std::string& name, const std::string& value, std::string& field)
{
    if (value.size() <= (name == "separator" ? 1 : kLongestPattern)) field = value;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SettingsFields(const TextImportSettings& settings)
{
    std::vector<std::pair<std::string, std::string>> fields;
    TextImportSettings copy = settings;
    VisitFields(copy, [&fields](const char* name, const auto& field) { fields.emplace_back(name, FieldText(field)); });
    VisitSwitches(copy, [&fields](const char* name, bool on) {
        if (on) fields.emplace_back(name, FieldText(on));
    });
    return fields;
}

void ApplySettingsField(TextImportSettings& settings, const std::string& name, const std::string& value)
{
    const auto take = [&](const char* fieldName, auto& field) {
        if (name == fieldName) Take(name, value, field);
    };
    VisitFields(settings, take);
    VisitSwitches(settings, take);
}

}  // namespace kalderon
