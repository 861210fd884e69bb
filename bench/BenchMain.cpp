#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "CaseFileGenerator.h"

// The one main of every benchmark in bench/.
// kalderon_bench [benchmark options]
// kalderon_bench --write-cases FILE COUNT [SEED]        writes a generated case file
// kalderon_bench --write-header-csv FILE COUNT [SEED]   the same cases as a CSV with a line of names
// kalderon_bench --write-registry-csv FILE COUNT [SEED] the same with 13 more fields of a registry
int main(int argc, char** argv)
{
    const bool csv = argc >= 4 && std::strcmp(argv[1], "--write-header-csv") == 0;
    const bool registry = argc >= 4 && std::strcmp(argv[1], "--write-registry-csv") == 0;
    if (argc >= 4 && (csv || registry || std::strcmp(argv[1], "--write-cases") == 0)) {
        const long long count = std::atoll(argv[3]);
        const unsigned long long seed = argc >= 5 ? std::strtoull(argv[4], nullptr, 10) : 1;
        using kalderon::bench::CaseFileLayout;
        const CaseFileLayout layout = registry ? CaseFileLayout::kRegistry20
                                      : csv    ? CaseFileLayout::kHeaderCsv
                                               : CaseFileLayout::kExample;
        return kalderon::bench::WriteCaseFile(argv[2], count, seed, layout) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
