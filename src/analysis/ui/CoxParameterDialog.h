#pragma once

#include "analysis/CoxDesign.h"
#include "analysis/ui/ParameterDialogBase.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace kalderon {

// "Parameter selection" (kDialog) of the Cox regression: the event code, the
// covariates checked in a list of the data set's fields (and the derived
// age and begin year), those of them to be taken as factors checked in a
// second list, the reference levels ("FIELD=LEVEL; ..."), the strata, the
// handling of ties, the factor the curves are drawn by and the confidence
// level.  OK (QDialog::Accepted) writes the event code and the level into
// the record and keeps the model chosen; without a covariate the
// dialog stays open with the message.
class CoxParameterDialog : public ParameterDialogBase {
    Q_OBJECT
public:
    static constexpr int kDialog = 175;
    static constexpr int kCovariates = 1120;
    static constexpr int kFactors = 1121;
    static constexpr int kReferences = 1122;
    static constexpr int kStrata = 1123;
    static constexpr int kTies = 1124;
    static constexpr int kCurvesBy = 1125;

    CoxParameterDialog(const DataSet& data, CAnalysisData& analysis, AppServices& services, QWidget* parent = nullptr);

    const CoxModelChoice& modelChoice() const { return modelChoice_; }
    void accept() override;

private:
    QListWidget* MakeFieldList(int id);
    std::vector<std::string> CheckedFields(const QListWidget* list) const;
    std::string ChosenField(const QComboBox* combo) const;

    std::vector<std::string> fields_;
    QListWidget* covariates_;
    QListWidget* factors_;
    QLineEdit* references_;
    QComboBox* strata_;
    QComboBox* ties_;
    QComboBox* curvesBy_;
    CoxModelChoice modelChoice_;
};

}  // namespace kalderon
