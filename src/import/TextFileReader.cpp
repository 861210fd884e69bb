#include "import/TextFileReader.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "import/LineReader.h"
#include "import/TextRecordParser.h"

namespace kalderon {
namespace {

// How many lines the file holds at most, so that room for the cases can be
// made at once; 0 when the file cannot be read.
size_t CountLineEnds(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::vector<char> block(1 << 20);
    size_t lines = 1;
    while (const size_t got = std::fread(block.data(), 1, block.size(), file))
        lines += static_cast<size_t>(std::count(block.data(), block.data() + got, '\n'));
    std::fclose(file);
    return lines;
}

}  // namespace

bool ReadTextFile(const std::string& path, const TextImportSettings& settings, DataSet& dataSet,
                  std::string& error)
{
    LineReader reader;
    if (!reader.Open(path)) {
        error = reader.error();
        return false;
    }

    dataSet = DataSet();
    dataSet.hasGroupColumn = settings.useGroup;
    dataSet.hasSexColumn = settings.useSex;
    dataSet.hasBirthColumn = settings.useBirth;

    CaseListBuilder builder(dataSet.analysis);
    builder.Reserve(CountLineEnds(path));
    TextRecordParser parser(settings);
    ImportedRecordValues values;
    std::int32_t caseNumber = 0;
    std::string_view line;
    while (reader.Next(line)) {
        if (line.empty()) continue;
        parser.Parse(line, values);
        values.caseNumber = ++caseNumber;
        builder.Add(BuildCase(values, settings.useBirth));
    }
    if (!reader.error().empty()) {
        error = reader.error();
        dataSet = DataSet();
        return false;
    }
    dataSet.cases = builder.Finish();
    dataSet.cases.sourcePath = path;
    return true;
}

}  // namespace kalderon
