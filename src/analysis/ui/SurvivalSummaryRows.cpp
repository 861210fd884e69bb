#include "analysis/ui/SurvivalSummaryRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

#include "analysis/ChosenTimesText.h"
#include "analysis/ui/TimeUnitTexts.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "resources/Texts.h"
#include "stats/SurvivalAtTimes.h"

namespace kalderon {
namespace {

QLineEdit* MakeEdit(QWidget* dialog, int id, QCheckBox* check)
{
    auto* edit = new QLineEdit(dialog);
    edit->setObjectName(ControlName(id));
    edit->setEnabled(false);
    QObject::connect(check, &QCheckBox::toggled, edit, &QLineEdit::setEnabled);
    return edit;
}

QCheckBox* MakeCheck(QWidget* dialog, int id)
{
    auto* check = new QCheckBox(dialog);
    check->setObjectName(ControlName(id));
    return check;
}

// Puts a default into an edit that has not been typed into.
void ShowDefault(QLineEdit* edit, const QString& text)
{
    if (edit && !edit->isModified()) edit->setText(text);
}

}  // namespace

SurvivalSummaryRows::SurvivalSummaryRows(QWidget* dialog, QGridLayout* grid, int& row, QComboBox* timeUnit,
                                         bool restrictedMean)
    : QObject(dialog), dialog_(dialog), timeUnit_(timeUnit)
{
    survivalAt_ = MakeCheck(dialog, kSurvivalAt);
    times_ = MakeEdit(dialog, kSurvivalAtTimes, survivalAt_);
    conditional_ = MakeCheck(dialog, kConditional);
    from_ = MakeEdit(dialog, kConditionalFrom, conditional_);
    grid->addWidget(survivalAt_, row, 0);
    grid->addWidget(times_, row++, 1, 1, 4);
    grid->addWidget(conditional_, row, 0);
    grid->addWidget(from_, row++, 1);
    if (restrictedMean) {
        restrictedMean_ = MakeCheck(dialog, kRestrictedMean);
        tau_ = MakeEdit(dialog, kRestrictionTime, restrictedMean_);
        tau_->setPlaceholderText(QStringLiteral("all groups at risk"));
        grid->addWidget(restrictedMean_, row, 0);
        grid->addWidget(tau_, row++, 1);
    }
    ShowUnit(timeUnit_->currentIndex());
    connect(timeUnit_, &QComboBox::currentIndexChanged, this, &SurvivalSummaryRows::ShowUnit);
}

void SurvivalSummaryRows::ShowUnit(int unit)
{
    const QString plural = TimeUnitPlural(unit);
    survivalAt_->setText(QStringLiteral("Sur&vival at (%1):").arg(plural));
    conditional_->setText(QStringLiteral("Conditional, surviving &beyond (%1):").arg(plural));
    if (restrictedMean_)
        restrictedMean_->setText(QStringLiteral("Restricted mean survival time &within (%1):").arg(plural));
    const std::vector<double> defaults = DefaultChosenTimes(unit);
    ShowDefault(times_, QString::fromStdString(FormatTimeList(defaults)));
    ShowDefault(from_, QString::fromStdString(FormatTimeList({defaults.front()})));
}

bool SurvivalSummaryRows::Read(AnalysisRequest& request, std::int32_t periodTechnique, AppServices& services)
{
    const auto refuse = [&](const std::string& message, QLineEdit* edit) {
        services.messages.Show(dialog_, DisplayText(message));
        edit->setFocus();
        edit->selectAll();
        return false;
    };
    request.survivalAt.reset();
    request.conditionalFrom.reset();
    request.restrictedMean = restrictedMean_ && restrictedMean_->isChecked();
    request.restrictionTime.reset();
    if (survivalAt_->isChecked()) {
        request.survivalAt = ParseTimeList(times_->text().toStdString());
        if (!request.survivalAt) return refuse(text::kChosenTimesList, times_);
    }
    if (conditional_->isChecked()) {
        request.conditionalFrom = ParseTimeText(from_->text().toStdString());
        if (!request.conditionalFrom) return refuse(text::kChosenTimesList, from_);
    }
    if (request.restrictedMean && !tau_->text().trimmed().isEmpty()) {
        request.restrictionTime = ParseTimeText(tau_->text().toStdString());
        if (!request.restrictionTime) return refuse(text::kChosenTimesList, tau_);
    }
    // Each request alone, so that the refusal points at its edit.
    AnalysisRequest alone{request.analysis};
    alone.survivalAt = request.survivalAt;
    if (const Refusal refusal = SummaryRequestRefusal(alone, periodTechnique)) return refuse(*refusal, times_);
    alone.survivalAt.reset();
    alone.conditionalFrom = request.conditionalFrom;
    if (const Refusal refusal = SummaryRequestRefusal(alone, periodTechnique)) return refuse(*refusal, from_);
    alone.conditionalFrom.reset();
    alone.restrictedMean = request.restrictedMean;
    alone.restrictionTime = request.restrictionTime;
    if (const Refusal refusal = SummaryRequestRefusal(alone, periodTechnique)) return refuse(*refusal, tau_);
    return true;
}

}  // namespace kalderon
