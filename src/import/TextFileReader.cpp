#include "import/TextFileReader.h"

#include "import/LineReader.h"
#include "import/TextRecordParser.h"

namespace kalderon {

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
