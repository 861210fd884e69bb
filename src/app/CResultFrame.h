#pragma once

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

    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;

    bool HasUnsavedContent() const override;
    bool SaveContent() override;

protected:
    bool QueryClose() override;

private:
    CResultEditView* view_;
};

}  // namespace kalderon
