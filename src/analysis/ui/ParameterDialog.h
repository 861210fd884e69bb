#pragma once

#include "analysis/ui/ParameterDialogBase.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kalderon {

class CSpinButton;

// "Parameter selection" (kDialog) of the life table (mode kLifeTable),
// period analysis (kPeriodAnalysis, with the period of interest and the
// technique) and trend in n-year survival (kTrend, with n, the width of the
// period and the technique).  The record must hold a prepared time window.
// Changing the time unit prepares the window again; the period arrows, a
// typed period (once its edit is left), n and the width write into the
// record at once.  OK (QDialog::Accepted)
// writes the remaining parameters and, with relative survival, the chosen
// life table; stratified() is the "Stratified analysis" check and, for the
// life table, compareGroups() the "Compare groups" check; standardise() the
// "Age standardisation" of the analyses that have one.
class ParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    // Ids of the dialog and its own controls.
    static constexpr int kDialog = 136;
    static constexpr int kPeriodLabel = 1030;
    static constexpr int kPeriodBegin = 1023;
    static constexpr int kPeriodEnd = 1024;
    static constexpr int kPeriodBeginSpin = 1025;
    static constexpr int kPeriodEndSpin = 1026;
    static constexpr int kPeriodTo = 1031;
    static constexpr int kSurvivalYearsLabel = 1032;
    static constexpr int kSurvivalYears = 1033;  // n
    static constexpr int kSurvivalYearsSpin = 1034;
    static constexpr int kSurvivalYearsUnit = 1035;
    static constexpr int kWidthLabel = 1043;
    static constexpr int kWidth = 1040;  // of the period
    static constexpr int kWidthSpin = 1041;
    static constexpr int kWidthUnit = 1042;
    static constexpr int kTimeUnit = 1017;
    static constexpr int kTimeIntervalLabel = 1071;
    static constexpr int kTimeScaleLabel = 1072;
    static constexpr int kTechniqueLabel = 1070;
    static constexpr int kTechnique = 1069;

    // `relativeSurvivalPossible`: the data have a gender and a birth-date
    // column.
    ParameterDialog(CAnalysisData& data, const CaseList& cases, AnalysisKind mode, bool hasGroupColumn,
                    bool relativeSurvivalPossible, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    int AddPeriodRows(int row);
    int AddTimeUnitRow(int row);
    // Takes a period of interest typed into its edits, widened and checked
    // as TakePeriodOfInterest does; false, with the message shown and the
    // focus in the edit, when it cannot be taken.
    bool TakeTypedPeriod();
    void TimeUnitChanged();
    void TechniqueChanged();
    // "Age standardisation" where the analysis and technique have it, with
    // Brenner's weights alone where only they apply.
    void OfferTechniqueStandardisation();
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
    bool refusingPeriod_ = false;
};

}  // namespace kalderon
