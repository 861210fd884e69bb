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
    try {
        const auto database = OpenDatabaseInProcess(connect == "dBase IV;" ? file.folder() : file.path(), connect);
        for (const TableDefInfo& table : database->TableDefs()) {
            database->FieldNames(table.name);
            for (auto rows = database->OpenTable(table.name); !rows->IsEOF(); rows->MoveNext())
                for (int i = 0; i < rows->FieldCount(); ++i) rows->GetFieldValue(i);
        }
    } catch (const DaoException&) {
    }
    return 0;
}
