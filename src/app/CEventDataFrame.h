#pragma once

#include "app/CChildFrame.h"

namespace kalderon {

class CEventDataView;

// A data window: the cases of one data file in a CEventDataView.  It closes
// without asking.
class CEventDataFrame : public CChildFrame {
    Q_OBJECT
public:
    explicit CEventDataFrame(QWidget* parent = nullptr);

    CEventDataView* view() const { return view_; }

    // Sets the view's source and the title "Input Data", two blanks, source.
    void SetSource(const std::string& source);

    // Copy of the selected rows, Select All, All columns, the Data and the
    // Compute menu.
    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;
    bool CommandChecked(int id) const override;

private:
    CEventDataView* view_;
};

}  // namespace kalderon
