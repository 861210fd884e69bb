#include "analysis/ui/IncidenceParameterDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

#include "analysis/CompetingCodes.h"
#include "analysis/ui/TimeUnitTexts.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"

namespace kalderon {

IncidenceParameterDialog::IncidenceParameterDialog(CAnalysisData& data, const CaseList& cases, bool hasGroupColumn,
                                                   AppServices& services, QWidget* parent)
    : ParameterDialogBase(kDialog, data, cases, kCumulativeIncidence, hasGroupColumn, services, parent)
{
    int row = AddObservationRows(0);
    timeUnit_ = MakeCombo(kTimeUnit, TimeUnitNames());
    timeUnit_->setCurrentIndex(0);
    grid()->addWidget(MakeLabel(QStringLiteral("&Time unit"), 0, timeUnit_), row, 0);
    grid()->addWidget(timeUnit_, row, 1);
    // The list holds the techniques in the order of their codes.
    technique_ = MakeCombo(kTechnique, {QStringLiteral("Life table"), QStringLiteral("Product-limit")});
    technique_->setCurrentIndex(kLifeTableTechnique);
    grid()->addWidget(MakeLabel(QStringLiteral("Tech&nique"), 0, technique_), row, 3, Qt::AlignRight);
    grid()->addWidget(technique_, row++, 4);

    // The codes of the last run on the data set, else the preselected event code.
    std::vector<std::string> eventCodes = data.incidenceCodes;
    const std::int32_t preselected = PreselectedEventCodeIndex(data);
    if (eventCodes.empty() && preselected >= 0 && static_cast<size_t>(preselected) < data.statusCodes.size())
        eventCodes.push_back(data.statusCodes[preselected]);
    events_ = MakeCodeList(kEventCodes, eventCodes);
    competing_ = MakeCodeList(kCompetingCodes, data.competingCodes);
    grid()->addWidget(MakeLabel(QStringLiteral("Coding of &event of interest:"), 0, events_), row, 0, Qt::AlignTop);
    grid()->addWidget(events_, row, 1);
    grid()->addWidget(MakeLabel(QStringLiteral("Co&mpeting events:"), 0, competing_), row, 3,
                      Qt::AlignRight | Qt::AlignTop);
    grid()->addWidget(competing_, row++, 4);
    grid()->addWidget(MakeLabel(QStringLiteral("Censored cases:")), row, 3, Qt::AlignRight);
    grid()->addWidget(MakeLabel(QStringLiteral("All other codes")), row++, 4);
    row = AddConfidenceRow(row);
    AddStratifiedRow(row);
    FinishLayout(QStringLiteral("competing_risks"));
    timeUnit_->setFocus();
}

// The data's status codes, each with a check; those of `checked` come checked.
QListWidget* IncidenceParameterDialog::MakeCodeList(int id, const std::vector<std::string>& checked)
{
    auto* list = new QListWidget(this);
    list->setObjectName(ControlName(id));
    for (size_t i = 0; i < data_.statusCodes.size(); ++i) {
        auto* item = new QListWidgetItem(DisplayText(data_.statusCodes[i]), list);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool on = std::find(checked.begin(), checked.end(), data_.statusCodes[i]) != checked.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    const int rows = std::min(list->count(), 4);
    list->setFixedHeight(std::max(rows, 1) * list->sizeHintForRow(0) + 2 * list->frameWidth());
    return list;
}

std::vector<std::string> IncidenceParameterDialog::CheckedCodes(const QListWidget* list) const
{
    std::vector<std::string> codes;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) codes.push_back(data_.statusCodes[i]);
    return codes;
}

void IncidenceParameterDialog::accept()
{
    if (const Refusal refusal = SetCompetingCodes(data_, CheckedCodes(events_), CheckedCodes(competing_))) {
        services_.messages.Show(this, DisplayText(*refusal));
        events_->setFocus();
        return;
    }
    data_.timeUnit = timeUnit_->currentIndex();
    data_.periodTechnique = technique_->currentIndex();
    data_.ciLevelText = confidence_->currentText().toStdString();
    const auto first = std::find(data_.statusCodes.begin(), data_.statusCodes.end(), data_.eventCode);
    data_.eventCodeIndex = static_cast<std::int32_t>(first - data_.statusCodes.begin());
    QDialog::accept();
}

}  // namespace kalderon
