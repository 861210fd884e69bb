#include <exception>
#include <iostream>
#include <new>
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
    const std::string& input =
        commandLine.options.inputPath.empty() ? commandLine.options.chart.openPath : commandLine.options.inputPath;
    try {
        return RunBatch(commandLine.options, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "kalderon-batch: " << input << ": not enough memory for this analysis\n";
    } catch (const std::exception& e) {
        std::cerr << "kalderon-batch: " << input << ": the file cannot be processed (" << e.what() << ")\n";
    }
    return kExitUsage;
}
