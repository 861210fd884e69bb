// The reader of statistics packages' data files: the first byte of the input
// chooses the kind of file, the rest is the file.  Opens it and reads its
// field names, value labels and rows.
#include "FuzzInput.h"
#include "import/DatabaseEngine.h"

using namespace kalderon;

namespace {

constexpr const char* kFileNames[] = {"data.dta", "data.sav", "data.zsav", "data.por", "data.sas7bdat", "data.xpt"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const char* name = kFileNames[data[0] % std::size(kFileNames)];
    fuzz::InputFile file(data + 1, size - 1, name);
    const DatabaseResult database = OpenDatabaseInProcess(file.path(), kStatisticsConnect);
    if (!database) return 0;
    for (const TableDefInfo& table : (*database)->TableDefs()) {
        (void)(*database)->FieldNames(table.name);
        (void)(*database)->FieldValueLabels(table.name);
        const ReadResult<std::unique_ptr<Recordset>> opened = (*database)->OpenTable(table.name);
        if (!opened) continue;
        Recordset& rows = **opened;
        for (ReadResult<void> moved; moved && !rows.IsEOF(); moved = rows.MoveNext())
            for (int i = 0; i < rows.FieldCount(); ++i) rows.GetFieldValue(i);
    }
    return 0;
}
