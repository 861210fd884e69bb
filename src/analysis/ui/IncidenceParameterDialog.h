#pragma once

#include "analysis/ui/ParameterDialogBase.h"

class QComboBox;
class QListWidget;

namespace kalderon {

// "Parameter selection" (kDialog) of the cumulative incidence: the time
// unit, the technique (interval ends or event days), the status codes of the
// event of interest and of the competing events (checked in two lists of the
// data's codes; cases with any other code are censored), the confidence
// level and "Stratified analysis"; the codes of the last run on the data set
// come checked again.  OK (QDialog::Accepted) writes them into the record;
// codes the core refuses (none for the event, one checked in both lists)
// keep the dialog open with the message.
class IncidenceParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    // Ids of the dialog and its own controls.
    static constexpr int kDialog = 174;
    static constexpr int kTimeUnit = 1110;
    static constexpr int kTechnique = 1111;
    static constexpr int kEventCodes = 1112;
    static constexpr int kCompetingCodes = 1113;

    IncidenceParameterDialog(CAnalysisData& data, const CaseList& cases, bool hasGroupColumn, AppServices& services,
                             QWidget* parent = nullptr);

    void accept() override;

private:
    QListWidget* MakeCodeList(int id, const std::vector<std::string>& checked);
    std::vector<std::string> CheckedCodes(const QListWidget* list) const;

    QComboBox* timeUnit_;
    QComboBox* technique_;
    QListWidget* events_;
    QListWidget* competing_;
};

}  // namespace kalderon
