// The population-table loader on every table of the input database.
#include "FuzzInput.h"
#include "import/PopulationTableLoader.h"

using namespace kalderon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputFile file(data, size, "population.mdb");
    std::vector<std::string> names;
    std::string error;
    if (!ListPopulationTables(file.path(), names, error)) return 0;
    std::vector<CPopulationYearTable> tables;
    for (const std::string& name : names) LoadPopulationTable(file.path(), name, tables, error);
    return 0;
}
