// One database reader, chosen at build time (KALDERON_FUZZ_DBASE, _ACCESS,
// _EXCEL or _STATFILE): opens the input as a database and reads the field
// names, the value labels and every row of every table.  For the statistics
// files the first byte of the input chooses the kind of file, the rest is
// the file.
#include "FuzzInput.h"
#include "import/DatabaseEngine.h"

using namespace kalderon;

#if defined(KALDERON_FUZZ_DBASE)
constexpr const char* kFileNames[] = {"TABLE.DBF"};
constexpr const char* kConnect = "dBase IV;";
#elif defined(KALDERON_FUZZ_EXCEL)
constexpr const char* kFileNames[] = {"book.xls"};
constexpr const char* kConnect = "Excel 8.0;";
#elif defined(KALDERON_FUZZ_STATFILE)
constexpr const char* kFileNames[] = {"data.dta", "data.sav", "data.zsav", "data.por", "data.sas7bdat", "data.xpt"};
constexpr const char* kConnect = kStatisticsConnect;
#else
constexpr const char* kFileNames[] = {"data.mdb"};
constexpr const char* kConnect = "";
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* fileName = kFileNames[0];
    if (std::size(kFileNames) > 1) {
        if (size == 0) return 0;
        fileName = kFileNames[data[0] % std::size(kFileNames)];
        ++data, --size;
    }
    fuzz::InputFile file(data, size, fileName);
    const std::string connect = kConnect;
    const DatabaseResult database = OpenDatabaseInProcess(connect == "dBase IV;" ? file.folder() : file.path(), connect);
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
