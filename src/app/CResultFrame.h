#pragma once

#include <optional>

#include "analysis/AnalysisFile.h"
#include "app/CChildFrame.h"

namespace kalderon {

struct AppServices;
class CResultEditView;

// A results window: the report of one analysis in a CResultEditView.  It
// asks before it closes while its results are unsaved; after the report
// was saved its title is the file's path.
class CResultFrame : public CChildFrame {
    Q_OBJECT
public:
    CResultFrame(AppServices& services, int resourceId, QWidget* parent = nullptr);

    CResultEditView* view() const { return view_; }

    // What made the report, for Copy command line and Save analysis; a
    // window without it has neither.
    void SetAnalysis(AnalysisFile analysis) { analysis_ = std::move(analysis); }
    const std::optional<AnalysisFile>& analysis() const { return analysis_; }

    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;

    bool HasUnsavedContent() const override;
    bool SaveContent() override;

protected:
    bool QueryClose() override;

private:
    void CopyCommandLine() const;
    void SaveAnalysis();

    AppServices& services_;
    CResultEditView* view_;
    std::optional<AnalysisFile> analysis_;
};

}  // namespace kalderon
