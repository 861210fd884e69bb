#include <iostream>
#include <string>
#include <vector>

#include "cli/BatchOptions.h"
#include "cli/BatchRunner.h"

int main(int argc, char** argv)
{
    using namespace kalderon::batch;
    const CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.helpRequested) {
        std::cout << UsageText();
        return kExitSuccess;
    }
    if (!commandLine.error.empty()) {
        std::cerr << "kalderon-batch: " << commandLine.error << " (see --help)\n";
        return kExitUsage;
    }
    return RunBatch(commandLine.options, std::cout, std::cerr);
}
