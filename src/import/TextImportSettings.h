#pragma once

#include <cstdint>
#include <string>

namespace kalderon {

// How a text file of cases is laid out: the choices of the text import
// wizard's pages, with their defaults.
struct TextImportSettings {
    enum Format : std::int32_t { kFreeFormat = 0, kFixedColumns = 1 };

    std::int32_t format = kFreeFormat;
    std::string separator = ";";  // at most one character

    // Free format: 1-based field numbers.
    std::int32_t beginColumn = 1;
    std::int32_t endColumn = 2;
    std::int32_t statusColumn = 3;
    std::int32_t groupColumn = 4;
    std::int32_t sexColumn = 5;
    std::int32_t birthColumn = 6;

    // Fixed columns: 1-based first and last character positions, inclusive.
    std::int32_t beginFrom = 1;
    std::int32_t beginTo = 1;
    std::int32_t endFrom = 1;
    std::int32_t endTo = 1;
    std::int32_t statusFrom = 1;
    std::int32_t statusTo = 1;
    std::int32_t groupFrom = 0;
    std::int32_t groupTo = 0;
    std::int32_t sexFrom = 0;
    std::int32_t sexTo = 0;
    std::int32_t birthFrom = 0;
    std::int32_t birthTo = 0;

    bool useGroup = false;
    bool useSex = false;
    bool useBirth = false;

    std::string beginFormat = "DD.MM.YYYY";
    std::string endFormat = "DD.MM.YYYY";
    std::string birthFormat = "DD.MM.YYYY";

    // The first non-empty line names the fields and is no case.
    bool firstLineNames = false;
    // A field in double quotes may hold the separator and doubled quotes.
    bool quotedFields = false;
    // The separator is guessed from the first lines of the file.
    bool guessSeparator = false;

    // Free format with firstLineNames: a role named by its field's name
    // rather than by its number; empty: by the number.
    std::string beginName, endName, statusName, groupName, sexName, birthName;
};

}  // namespace kalderon
