#include "analysis/ui/ProductLimitParameterDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "analysis/ui/TimeUnitTexts.h"

namespace kalderon {

ProductLimitParameterDialog::ProductLimitParameterDialog(CAnalysisData& data, const CaseList& cases,
                                                         bool hasGroupColumn, bool relativeSurvivalPossible,
                                                         AppServices& services, QWidget* parent)
    : ParameterDialogBase(kDialog, data, cases, kProductLimit, hasGroupColumn, services, parent)
{
    int row = AddObservationRows(0);
    timeScale_ = MakeCombo(kTimeScale, TimeUnitNames());
    timeScale_->setCurrentIndex(0);
    grid()->addWidget(MakeLabel(QStringLiteral("&Time scale"), 0, timeScale_), row, 0);
    grid()->addWidget(timeScale_, row++, 1);
    row = AddEventRow(row, QStringLiteral("Coding of vital status       &Event:"), true);
    row = AddConfidenceRow(row);
    row = AddStratifiedRow(row);
    row = AddCompareGroupsRow(row);
    row = AddSummaryRows(row, timeScale_, true);
    AddRelativeSurvivalRows(row, relativeSurvivalPossible, true);
    OfferStandardisation(true, true);
    FinishLayout(QStringLiteral("compute_Kaplan-Meier"));
    timeScale_->setFocus();
}

void ProductLimitParameterDialog::accept()
{
    RelativeSurvivalInput relative;
    if (!ReadSummaries(kProductLimit, data_.periodTechnique) || !ReadRelativeSurvival(relative)) return;

    data_.timeUnit = timeScale_->currentIndex();
    data_.eventCode = ChosenEventCode();
    data_.ciLevelText = confidence_->currentText().toStdString();
    WriteRelativeSurvival(std::move(relative));
    WriteIndexFields();
    QDialog::accept();
}

}  // namespace kalderon
