#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/ReaderFault.h"
#include "import/TextImportSettings.h"

namespace kalderon {

// The names of the fields of a text file, as its first line gives them.
struct TextFieldNames {
    std::vector<std::string> names;  // field 1 first, each one once
    std::vector<std::string> notes;  // a sentence for each name that was changed
};

// The fields of a first line cut by the settings' separator and quoting.
// A field without a name is called "F" and its number ("F7"); a name given
// before gets "_2", "_3", ... (the first not taken).
TextFieldNames FieldNamesOfLine(std::string_view line, const TextImportSettings& settings);

// The number (1, 2, ...) of the field of that name; 0 when there is none.
std::int32_t FieldNumberOfName(const std::vector<std::string>& names, std::string_view name);

// Sets the field number of each role the settings name by its field's name.
// A fault naming the file, the name and the fields when a name is not there.
ReadResult<void> ApplyFieldNames(const std::string& path, const std::vector<std::string>& names,
                                 TextImportSettings& settings);

// How many of a file's first lines the guesses look at.
inline constexpr std::size_t kLinesForGuessing = 20;

// The first lines of the file that are not empty, at most `count`; a fault
// when it cannot be opened or read.
ReadResult<std::vector<std::string>> FirstFileLines(const std::string& path, std::size_t count);

// The separator of the file guessed from its first lines (GuessSeparator);
// a fault for a pipe or device, which cannot be read twice.
ReadResult<char> GuessFileSeparator(const std::string& path);

}  // namespace kalderon
