// The delimited and the fixed-column text import: the first bytes choose the
// layout (with or without a line of field names, quoted fields, a guessed
// separator, roles named), the rest is the file.  The wizard's guesses on the
// file's first lines and the fields' spans of its preview are made as well.
#include "FuzzInput.h"
#include "import/DelimitedFields.h"
#include "import/FieldNameLineGuess.h"
#include "import/TextFieldNames.h"
#include "import/TextFileReader.h"

using namespace kalderon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8) return 0;
    static const char* const kPatterns[] = {"DD.MM.YYYY", "YYYY-MM-DD", "MM/DD/YY", "DDMMYYYY", "YYYYMMDD", "D.M.YY"};
    TextImportSettings settings;
    settings.format = data[0] & 1 ? TextImportSettings::kFixedColumns : TextImportSettings::kFreeFormat;
    settings.separator = std::string(1, static_cast<char>(data[1]));
    settings.beginColumn = data[2] % 8;
    settings.endColumn = data[3] % 8;
    settings.statusColumn = data[4] % 8;
    settings.beginFrom = 1, settings.beginTo = 1 + data[2] % 12;
    settings.endFrom = 1 + data[3] % 12, settings.endTo = 1 + data[3] % 24;
    settings.statusFrom = 1 + data[4] % 30, settings.statusTo = 1 + data[4] % 40;
    settings.useGroup = data[5] & 1;
    settings.useSex = data[5] & 2;
    settings.useBirth = data[5] & 4;
    settings.groupFrom = data[5] % 20, settings.groupTo = data[5] % 40;
    settings.beginFormat = kPatterns[data[6] % 6];
    settings.endFormat = kPatterns[data[7] % 6];
    settings.birthFormat = kPatterns[(data[6] + data[7]) % 6];
    settings.firstLineNames = data[5] & 8;
    settings.quotedFields = data[5] & 16;
    settings.guessSeparator = data[5] & 32;
    if (data[5] & 64) settings.beginName = "begin", settings.statusName = "status";
    fuzz::InputFile file(data + 8, size - 8, "cases.txt");
    (void)ReadTextFile(file.path(), settings);

    const ReadResult<std::vector<std::string>> first = FirstFileLines(file.path(), kLinesForGuessing);
    if (!first) return 0;
    const std::vector<std::string_view> lines(first->begin(), first->end());
    const char separator = GuessSeparator(lines);
    const DateFieldSample sample(lines, settings.separator.front(), settings.quotedFields);
    (void)FirstLineNamesFields(lines, separator);
    for (std::int32_t field = 0; field < 10; ++field) (void)sample.BestPattern(field);
    for (const std::string_view line : lines) (void)FieldSpans(line, settings.separator.front(), settings.quotedFields);
    return 0;
}
