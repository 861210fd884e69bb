#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "batch/BatchMessages.h"
#include "batch/BatchOptions.h"
#include "cli/BatchRunner.h"
#include "common/TextFormat.h"
#include "resources/Texts.h"

int main(int argc, char** argv)
{
    using namespace kalderon;
    using namespace kalderon::batch;
    const CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.helpRequested) {
        std::cout << UsageText();
        return kExitSuccess;
    }
    if (!commandLine.error.empty()) {
        WriteMessage(std::cerr, FormatText(text::kBatchSeeHelp, commandLine.error));
        return kExitUsage;
    }
    const std::string& input =
        commandLine.options.inputPath.empty() ? commandLine.options.chart.openPath : commandLine.options.inputPath;
    try {
        return RunBatch(commandLine.options, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        WriteMessage(std::cerr, FormatText(text::kBatchOutOfMemory, input));
    } catch (const std::exception& e) {
        WriteMessage(std::cerr, FormatText(text::kBatchCannotProcess, input, e.what()));
    }
    return kExitUsage;
}
