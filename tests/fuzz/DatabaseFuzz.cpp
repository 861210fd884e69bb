// One database reader, chosen at build time (KALDERON_FUZZ_CONNECT and
// KALDERON_FUZZ_FILE): opens the input as a database and reads every row
// of every table.
#include "FuzzInput.h"
#include "import/DatabaseEngine.h"

using namespace kalderon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputFile file(data, size, KALDERON_FUZZ_FILE);
    const std::string connect = KALDERON_FUZZ_CONNECT;
    try {
        const auto database = OpenDatabase(connect == "dBase IV;" ? file.folder() : file.path(), connect);
        for (const TableDefInfo& table : database->TableDefs()) {
            database->FieldNames(table.name);
            for (auto rows = database->OpenTable(table.name); !rows->IsEOF(); rows->MoveNext())
                for (int i = 0; i < rows->FieldCount(); ++i) rows->GetFieldValue(i);
        }
    } catch (const DaoException&) {
    }
    return 0;
}
