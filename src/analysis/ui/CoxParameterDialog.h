#pragma once

#include <map>
#include <string>

#include "analysis/CoxDesign.h"
#include "analysis/ui/ParameterDialogBase.h"

class QComboBox;
class QListWidget;

namespace kalderon {

// "Parameter selection" (kDialog) of the Cox regression: the event code, the
// time unit of the curves, the covariates checked in a list of the data
// set's fields (and the derived age and begin year), those of them to be
// taken as factors checked in a second list, the reference level of a
// field chosen among its values in the group list's order, the strata, the
// handling of ties, the factor the curves are drawn by, the value a field
// takes in the curves instead of its mean (a level or a number typed), and
// the confidence level.  A reference level and a curve value are kept per
// field while the dialog is open; OK takes those of the covariates.  OK
// (QDialog::Accepted) writes the event code, the time unit and the level
// into the record and keeps the model chosen; without a covariate the
// dialog stays open with the message.
class CoxParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    static constexpr int kDialog = 175;
    static constexpr int kCovariates = 1120;
    static constexpr int kFactors = 1121;
    static constexpr int kReferences = 1122;  // the reference level of the field kReferenceField shows
    static constexpr int kStrata = 1123;
    static constexpr int kTies = 1124;
    static constexpr int kCurvesBy = 1125;
    static constexpr int kReferenceField = 1126;
    static constexpr int kCurveValueField = 1127;
    static constexpr int kCurveValue = 1128;
    static constexpr int kTimeUnit = 1129;

    CoxParameterDialog(const DataSet& data, CAnalysisData& analysis, AppServices& services, QWidget* parent = nullptr);

    const CoxModelChoice& modelChoice() const { return modelChoice_; }
    void accept() override;

private:
    QListWidget* MakeFieldList(int id);
    std::vector<std::string> CheckedFields(const QListWidget* list) const;
    // The field a combo shows after `entriesBefore` other entries ("(none)").
    std::string ChosenField(const QComboBox* combo, int entriesBefore = 1) const;
    // Fills `values` with the levels of the field `fieldCombo` shows, after
    // `first`, and shows the entry kept for it.
    void ShowLevels(const QComboBox* fieldCombo, QComboBox* values, const QString& first,
                    const std::map<std::string, std::string>& kept);
    static std::string ShownValue(const QComboBox* values);

    const DataSet& dataSet_;
    std::vector<std::string> fields_;
    QComboBox* timeUnit_;
    QListWidget* covariates_;
    QListWidget* factors_;
    QComboBox* referenceField_;
    QComboBox* references_;
    QComboBox* strata_;
    QComboBox* ties_;
    QComboBox* curvesBy_;
    QComboBox* curveValueField_;
    QComboBox* curveValue_;
    std::map<std::string, std::string> chosenReferences_, chosenCurveValues_;  // per field; empty: the default
    CoxModelChoice modelChoice_;
};

}  // namespace kalderon
