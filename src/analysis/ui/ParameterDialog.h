#pragma once

#include "analysis/ui/ParameterDialogBase.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kalderon {

class CSpinButton;

// Dialog 136, "Parameter selection", of the life table (mode kLifeTable),
// period analysis (kPeriodAnalysis, with the period of interest and the
// technique) and trend in n-year survival (kTrend, with n, the width of the
// period and the technique).  The record must hold a prepared time window.
// Changing the time unit prepares the window again; the period arrows, n
// and the width write into the record at once.  OK (QDialog::Accepted)
// writes the remaining parameters and, with relative survival, the chosen
// life table; stratified() is the "Stratified analysis" check and, for the
// life table, compareGroups() the "Compare groups" check; standardise() the
// "Age standardisation" of the analyses that have one.
class ParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    // `relativeSurvivalPossible`: the data have a gender and a birth-date
    // column.
    ParameterDialog(CAnalysisData& data, const CaseList& cases, AnalysisKind mode, bool hasGroupColumn,
                    bool relativeSurvivalPossible, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    int AddPeriodRows(int row);
    int AddTimeUnitRow(int row);
    void TimeUnitChanged();
    void TechniqueChanged();
    void ShowParameters();
    void NumberEdited(QLineEdit* edit, std::int32_t& field);

    AnalysisKind mode_;
    QLineEdit* periodBegin_ = nullptr;
    QLineEdit* periodEnd_ = nullptr;
    QLineEdit* survivalYears_ = nullptr;
    QLineEdit* periodWidth_ = nullptr;
    QLabel* survivalYearsUnit_ = nullptr;
    QLabel* periodWidthUnit_ = nullptr;
    QComboBox* timeUnit_ = nullptr;
    QLabel* timeIntervalLabel_ = nullptr;
    QLabel* timeScaleLabel_ = nullptr;
    QComboBox* technique_ = nullptr;
};

}  // namespace kalderon
