#pragma once

#include "analysis/ui/ParameterDialogBase.h"

namespace kalderon {

// "Parameter selection" (kDialog) of SMR/SIR: the event of interest, the
// confidence level, the method ("Byar"), "Stratified analysis", the sex
// coding and the reference rate table.  When the reference rate tables
// cannot be listed the message is shown at construction and exec() returns
// QDialog::Rejected at once.  OK (QDialog::Accepted) writes the parameters
// and loads the chosen table; stratified() is the check.
class SmrParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    // Ids of the dialog and its own control.
    static constexpr int kDialog = 172;
    static constexpr int kSmrMethod = 1084;

    SmrParameterDialog(CAnalysisData& data, const CaseList& cases, bool hasGroupColumn, AppServices& services,
                       QWidget* parent = nullptr);

    int exec() override;
    void accept() override;

private:
    bool tablesListed_;
};

}  // namespace kalderon
