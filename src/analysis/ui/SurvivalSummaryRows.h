#pragma once

#include <QObject>
#include <optional>
#include <vector>

#include "analysis/RunAnalysis.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace kalderon {

struct AppServices;

// The rows of a parameter dialog that ask for the survival at chosen
// times, the conditional survival and (for the product-limit) the restricted
// mean survival time: a check each, whose edit is enabled while it is on.
// The labels name the time unit chosen in `timeUnit`, and the edits hold
// its defaults until they are typed into.
class SurvivalSummaryRows : public QObject {
    Q_OBJECT
public:
    static constexpr int kSurvivalAt = 1093;
    static constexpr int kSurvivalAtTimes = 1094;
    static constexpr int kConditional = 1095;
    static constexpr int kConditionalFrom = 1096;
    static constexpr int kRestrictedMean = 1097;
    static constexpr int kRestrictionTime = 1098;

    // Adds the rows to `grid` from `row` on and moves `row` past them.
    SurvivalSummaryRows(QWidget* dialog, QGridLayout* grid, int& row, QComboBox* timeUnit, bool restrictedMean);

    // Reads the edits of the checks that are on into the request; shows what
    // does not fit (no number, a time the analysis refuses) and puts the
    // focus in its edit.
    bool Read(AnalysisRequest& request, std::int32_t periodTechnique, AppServices& services);

private:
    void ShowUnit(int unit);

    QWidget* dialog_;
    QComboBox* timeUnit_;
    QCheckBox* survivalAt_;
    QLineEdit* times_;
    QCheckBox* conditional_;
    QLineEdit* from_;
    QCheckBox* restrictedMean_ = nullptr;
    QLineEdit* tau_ = nullptr;
};

}  // namespace kalderon
