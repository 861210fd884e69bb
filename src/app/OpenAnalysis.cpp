#include "app/OpenAnalysis.h"

#include <sstream>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "app/ComputeCommands.h"
#include "batch/BatchOptions.h"
#include "batch/CaseChoiceInput.h"
#include "batch/PreparedRun.h"
#include "common/qt/DisplayText.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/UiText.h"
#include "common/ui/WaitCursor.h"
#include "import/NoValidCaseReason.h"
#include "import/ui/CEventDataView.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

// The lines kalderon-batch would write on standard error, without its name
// before each.
std::string WithoutProgramName(const std::string& messages)
{
    const std::string program = text::kBatchProgram;
    std::string shown;
    std::istringstream lines(messages);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(program, 0) == 0) line.erase(0, program.size());
        shown += (shown.empty() ? "" : "\n") + line;
    }
    return shown;
}

}  // namespace

void OpenAnalysisFile(CMainFrame& frame)
{
    const QString path = frame.services().fileDialogs.OpenFileName(
        &frame, QString::fromUtf8(text::kOpenAnalysisTitle), FileKind::kAnalysis,
        QString::fromUtf8(text::kAnalysisFileFilter));
    if (!path.isEmpty()) OpenAnalysisByPath(frame, path);
}

bool OpenAnalysisByPath(CMainFrame& frame, const QString& path)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto refused = [&](const std::string& reason) {
        frame.services().messages.Show(&frame, DisplayText(WithoutProgramName(reason)));
        return false;
    };
    const batch::CommandLine line = batch::ParseCommandLine({"--analysis-file", PathBytes(path)});
    if (!line.error.empty()) return refused(line.error);
    const batch::BatchOptions& options = line.options;

    DataSet read;
    {
        WaitCursor wait;
        if (batch::ReadInput(options, read, out, err)) return refused(err.str());
    }
    CEventDataFrame* window = frame.NewDataWindow();
    CEventDataView& view = *window->view();
    view.SetDataSet(std::move(read));
    window->SetSource(view.data().cases.sourcePath);
    CaseChoice choice;
    if (batch::ReadCaseChoice(options, view.data(), choice, err)) return refused(err.str());
    if (choice.any()) view.ApplyChoice(std::move(choice));
    if (const Refusal refusal = NoValidCasesRefusal(view.data().analysis)) {
        const std::optional<std::string> reason =
            NoValidCaseReason(view.data(), options.isDatabase ? nullptr : &options.import);
        return refused(reason ? *reason + "\n" + *refusal : *refusal);
    }
    batch::AnalysisToRun run;
    if (batch::PrepareAnalysis(options, view.data(), run, err)) return refused(err.str());
    ComputeAndShow(frame, view, run.request, run.coxModel, options.population.databasePath);
    return true;
}

}  // namespace kalderon
