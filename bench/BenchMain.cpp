#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "CaseFileGenerator.h"

// The one main of every benchmark in bench/.
// kalderon_bench [benchmark options]
// kalderon_bench --write-cases FILE COUNT [SEED]   writes a generated case file
int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--write-cases") == 0) {
        const long long count = std::atoll(argv[3]);
        const unsigned long long seed = argc >= 5 ? std::strtoull(argv[4], nullptr, 10) : 1;
        return kalderon::bench::WriteCaseFile(argv[2], count, seed) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
