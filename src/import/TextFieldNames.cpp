#include "import/TextFieldNames.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "common/TextFormat.h"
#include "import/DelimitedFields.h"
#include "import/LineReader.h"
#include "resources/Texts.h"

namespace kalderon {

TextFieldNames FieldNamesOfLine(std::string_view line, const TextImportSettings& settings)
{
    std::vector<std::string_view> fields;
    // The fields may point into the splitter, which must outlive them.
    FieldSplitter splitter(settings.separator.empty() ? ';' : settings.separator.front(), settings.quotedFields);
    // A quote that does not close still leaves the names before it.
    if (!settings.separator.empty()) (void)splitter.Split(line, fields, line.size() + 1);
    TextFieldNames result;
    std::set<std::string> taken;
    for (const std::string_view field : fields) taken.emplace(field);
    std::set<std::string> used;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::int32_t number = static_cast<std::int32_t>(i + 1);
        std::string name(fields[i]);
        if (name.empty()) {
            name = "F" + std::to_string(number);
            for (int k = 2; taken.count(name); ++k) name = "F" + std::to_string(number) + "_" + std::to_string(k);
            result.notes.push_back(FormatText(text::kFieldWithoutName, number, name));
        } else if (used.count(name)) {
            std::string unique;
            for (int k = 2; unique.empty() || taken.count(unique); ++k) unique = name + "_" + std::to_string(k);
            result.notes.push_back(FormatText(text::kFieldNameRepeated, number, name, unique));
            name = unique;
        }
        taken.insert(name);
        used.insert(name);
        result.names.push_back(std::move(name));
    }
    return result;
}

std::int32_t FieldNumberOfName(const std::vector<std::string>& names, std::string_view name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? 0 : static_cast<std::int32_t>(found - names.begin() + 1);
}

ReadResult<void> ApplyFieldNames(const std::string& path, const std::vector<std::string>& names,
                                 TextImportSettings& settings)
{
    TextImportSettings& s = settings;
    for (const auto& [name, column] : {std::pair<std::string*, std::int32_t*>{&s.beginName, &s.beginColumn},
                                       {&s.endName, &s.endColumn},
                                       {&s.statusName, &s.statusColumn},
                                       {&s.groupName, &s.groupColumn},
                                       {&s.sexName, &s.sexColumn},
                                       {&s.birthName, &s.birthColumn}}) {
        if (name->empty()) continue;
        const std::int32_t number = FieldNumberOfName(names, *name);
        if (number == 0) {
            std::string listed;
            for (const std::string& field : names) listed += (listed.empty() ? "" : ", ") + field;
            return ReaderFault::Described(FormatText(text::kNoFieldOfName, path, *name, listed));
        }
        *column = number;
    }
    return {};
}

ReadResult<char> GuessFileSeparator(const std::string& path)
{
    // The lines looked at would be missing from a pipe when it is read for the cases.
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) && !std::filesystem::is_regular_file(path, ignored))
        return ReaderFault::Described(FormatText(text::kSeparatorGuessNeedsFile, path));
    const ReadResult<std::vector<std::string>> lines = FirstFileLines(path, kLinesForGuessing);
    if (!lines) return lines.fault();
    return GuessSeparator(std::vector<std::string_view>(lines->begin(), lines->end()));
}

ReadResult<std::vector<std::string>> FirstFileLines(const std::string& path, size_t count)
{
    LineReader reader;
    if (const ReadResult<void> opened = reader.Open(path); !opened) return opened.fault();
    std::vector<std::string> kept;
    std::string_view line;
    while (kept.size() < count) {
        const ReadResult<bool> next = reader.Next(line);
        if (!next) return next.fault();
        if (!*next) break;
        if (!line.empty()) kept.emplace_back(line);
    }
    return kept;
}

}  // namespace kalderon
