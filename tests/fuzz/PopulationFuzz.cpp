// The population-table loader on every table of the input database.
#include "FuzzInput.h"
#include "import/PopulationTableLoader.h"

using namespace kalderon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputFile file(data, size, "population.mdb");
    const ReadResult<std::vector<std::string>> names = ListPopulationTables(file.path());
    if (!names) return 0;
    for (const std::string& name : *names) (void)LoadPopulationTable(file.path(), name);
    return 0;
}
