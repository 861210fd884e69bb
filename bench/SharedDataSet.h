#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "CaseFileGenerator.h"
#include "import/DataSet.h"
#include "import/TextFileReader.h"

namespace kalderon::bench {

// The generated cases (begun 1985-2009, followed until 2014 at the latest),
// read once with their group, sex and birth columns.
inline DataSet& SharedDataSet(std::int64_t count)
{
    static DataSet dataSet;
    static std::int64_t readCount = 0;
    if (readCount != count) {
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        ReadResult<DataSet> read = ReadTextFile(SharedCaseFile(count), settings);
        if (!read) {
            std::fprintf(stderr, "%s\n", ReaderFaultMessage(read.fault()).c_str());
            std::exit(1);
        }
        dataSet = std::move(*read);
        readCount = count;
    }
    return dataSet;
}

}  // namespace kalderon::bench
