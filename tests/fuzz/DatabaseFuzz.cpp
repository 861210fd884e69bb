// One database reader, chosen at build time (KALDERON_FUZZ_DBASE, _ACCESS
// or _EXCEL): opens the input as a database and reads every row
// of every table.
#include "FuzzInput.h"
#include "import/DatabaseEngine.h"

using namespace kalderon;

#if defined(KALDERON_FUZZ_DBASE)
constexpr const char* kFileName = "TABLE.DBF";
constexpr const char* kConnect = "dBase IV;";
#elif defined(KALDERON_FUZZ_EXCEL)
constexpr const char* kFileName = "book.xls";
constexpr const char* kConnect = "Excel 8.0;";
#else
constexpr const char* kFileName = "data.mdb";
constexpr const char* kConnect = "";
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputFile file(data, size, kFileName);
    const std::string connect = kConnect;
    const DatabaseResult database = OpenDatabaseInProcess(connect == "dBase IV;" ? file.folder() : file.path(), connect);
    if (!database) return 0;
    for (const TableDefInfo& table : (*database)->TableDefs()) {
        (void)(*database)->FieldNames(table.name);
        const ReadResult<std::unique_ptr<Recordset>> opened = (*database)->OpenTable(table.name);
        if (!opened) continue;
        Recordset& rows = **opened;
        for (ReadResult<void> moved; moved && !rows.IsEOF(); moved = rows.MoveNext())
            for (int i = 0; i < rows.FieldCount(); ++i) rows.GetFieldValue(i);
    }
    return 0;
}
