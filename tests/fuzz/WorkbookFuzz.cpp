// The .xlsx and .ods readers: opens the input as a workbook of each kind
// and reads every row of every sheet.
#include "FuzzInput.h"
#include "import/DatabaseEngine.h"

using namespace kalderon;

namespace {

void ReadEverySheet(const std::string& path, const char* connect)
{
    const DatabaseResult database = OpenDatabaseInProcess(path, connect);
    if (!database) return;
    for (const TableDefInfo& table : (*database)->TableDefs()) {
        (void)(*database)->FieldNames(table.name);
        const ReadResult<std::unique_ptr<Recordset>> opened = (*database)->OpenTable(table.name);
        if (!opened) continue;
        Recordset& rows = **opened;
        for (ReadResult<void> moved; moved && !rows.IsEOF(); moved = rows.MoveNext())
            for (int i = 0; i < rows.FieldCount(); ++i) rows.GetFieldValue(i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputFile file(data, size, "book.xlsx");
    ReadEverySheet(file.path(), kXlsxConnect);
    ReadEverySheet(file.path(), kOdsConnect);
    return 0;
}
