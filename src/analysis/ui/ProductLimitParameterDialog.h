#pragma once

#include "analysis/ui/ParameterDialogBase.h"

class QComboBox;

namespace kalderon {

// "Parameter selection" (kDialog) of the product-limit estimate: the
// time scale (starting at "Year" whatever the record holds), the event code,
// the confidence level, "Stratified analysis", "Compare groups" and relative
// survival with the age standardisation by Brenner's weights.  OK (QDialog::Accepted) writes them into the record and, with
// relative survival, loads the chosen life table; stratified() and
// compareGroups() are the checks.
class ProductLimitParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    // Ids of the dialog and its own control.
    static constexpr int kDialog = 146;
    static constexpr int kTimeScale = 1068;

    ProductLimitParameterDialog(CAnalysisData& data, const CaseList& cases, bool hasGroupColumn,
                                bool relativeSurvivalPossible, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    QComboBox* timeScale_;
};

}  // namespace kalderon
