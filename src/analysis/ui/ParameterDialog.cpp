#include "analysis/ui/ParameterDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "analysis/DateEntry.h"
#include "analysis/PeriodOfInterest.h"
#include "analysis/PeriodSteps.h"
#include "analysis/RunAnalysis.h"
#include "analysis/ui/ObservationPeriodDiagram.h"
#include "analysis/ui/TimeUnitTexts.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/SpinArrows.h"
#include "import/ui/CSpinButton.h"
#include "resources/Texts.h"
#include "stats/SurvivalAtTimes.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {


const char* HelpTopic(AnalysisKind mode)
{
    switch (mode) {
    case kPeriodAnalysis: return "compute_period_analysis";
    case kTrend: return "compute_trend_nyear_survival";
    default: return "compute_Cutler-Ederer";
    }
}

// An edit with arrows beside it, both in one box.
QWidget* Beside(QWidget* edit, QWidget* arrows, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    edit->setParent(box);
    arrows->setParent(box);
    layout->addWidget(edit);
    layout->addWidget(arrows);
    layout->addStretch();
    return box;
}

}  // namespace

ParameterDialog::ParameterDialog(CAnalysisData& data, const CaseList& cases, AnalysisKind mode, bool hasGroupColumn,
                                 bool relativeSurvivalPossible, AppServices& services, QWidget* parent)
    : ParameterDialogBase(kDialog, data, cases, mode, hasGroupColumn, services, parent), mode_(mode)
{
    int row = AddObservationRows(0);
    row = AddPeriodRows(row);
    row = AddTimeUnitRow(row);
    row = AddEventRow(row, QStringLiteral("Coding of vital status       &Event:"), true);
    row = AddConfidenceRow(row);
    row = AddStratifiedRow(row);
    if (mode == kLifeTable) row = AddCompareGroupsRow(row);
    if (HasSurvivalAtTimes(mode)) row = AddSummaryRows(row, timeUnit_, false);
    AddRelativeSurvivalRows(row, relativeSurvivalPossible, mode == kLifeTable);
    OfferTechniqueStandardisation();
    if (mode == kLifeTable) OfferCrudeProbabilities();
    FinishLayout(QString::fromLatin1(HelpTopic(mode)));
    ShowParameters();

    QWidget* first = timeUnit_;
    if (mode == kPeriodAnalysis) first = periodBegin_;
    if (mode == kTrend) first = survivalYears_;
    first->setFocus();
}

int ParameterDialog::AddPeriodRows(int row)
{
    QGridLayout* g = grid();
    periodBegin_ = MakeDateEdit(kPeriodBegin, data_.periodBegin, false);
    periodEnd_ = MakeDateEdit(kPeriodEnd, data_.periodEnd, false);
    auto* beginSpin = new SpinArrows(periodBegin_, this);
    beginSpin->setObjectName(ControlName(kPeriodBeginSpin));
    auto* endSpin = new SpinArrows(periodEnd_, this);
    endSpin->setObjectName(ControlName(kPeriodEndSpin));
    QLabel* periodLabel = MakeLabel(QStringLiteral("&Period of interest"), kPeriodLabel, periodBegin_);
    QLabel* to = MakeLabel(QStringLiteral("to"), kPeriodTo);
    QWidget* beginBox = Beside(periodBegin_, beginSpin, this);
    QWidget* endBox = Beside(periodEnd_, endSpin, this);
    if (mode_ == kPeriodAnalysis) {
        g->addWidget(periodLabel, row, 0);
        g->addWidget(beginBox, row, 1);
        g->addWidget(to, row, 2, Qt::AlignCenter);
        g->addWidget(endBox, row++, 3);
    } else {
        for (QWidget* control : std::initializer_list<QWidget*>{periodLabel, to, beginBox, endBox}) control->hide();
    }
    connect(beginSpin, &SpinArrows::Arrow, this, [this](bool later) {
        if (!TakeTypedPeriod()) return;
        data_.timeUnit = timeUnit_->currentIndex();
        if (StepPeriodBegin(data_, later)) ShowParameters();
    });
    connect(endSpin, &SpinArrows::Arrow, this, [this](bool later) {
        if (!TakeTypedPeriod()) return;
        data_.timeUnit = timeUnit_->currentIndex();
        if (StepPeriodEnd(data_, later)) ShowParameters();
    });
    for (QLineEdit* edit : {periodBegin_, periodEnd_}) {
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            // Leaving for Cancel or Help checks nothing.
            const QWidget* next = QApplication::focusWidget();
            const QString nextName = next ? next->objectName() : QString();
            if (nextName != ControlName(button::kCancel) && nextName != ControlName(button::kHelp)) TakeTypedPeriod();
        });
    }

    struct NumberRow {
        const char* label;
        int labelId, editId, spinId, unitId;
        QLineEdit** edit;
        QLabel** unit;
        std::int32_t* field;
    };
    const NumberRow numbers[] = {
        {"Compute survival rates &after", kSurvivalYearsLabel, kSurvivalYears, kSurvivalYearsSpin, kSurvivalYearsUnit,
         &survivalYears_, &survivalYearsUnit_, &data_.survivalYears},
        {"&Width of period", kWidthLabel, kWidth, kWidthSpin, kWidthUnit, &periodWidth_, &periodWidthUnit_,
         &data_.periodWidth},
    };
    for (const NumberRow& number : numbers) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(ControlName(number.editId));
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(48);
        auto* spin = new CSpinButton(edit, this);
        spin->setObjectName(ControlName(number.spinId));
        spin->SetRange(1, 99);
        QLabel* label = MakeLabel(QString::fromLatin1(number.label), number.labelId, edit);
        QLabel* unit = MakeLabel(QString(), number.unitId);
        QWidget* box = Beside(edit, spin, this);
        if (mode_ == kTrend) {
            g->addWidget(label, row, 0);
            g->addWidget(box, row, 1);
            g->addWidget(unit, row++, 2, 1, 2);
        } else {
            for (QWidget* control : std::initializer_list<QWidget*>{label, box, unit}) control->hide();
        }
        *number.edit = edit;
        *number.unit = unit;
        std::int32_t* field = number.field;
        connect(edit, &QLineEdit::textChanged, this, [this, edit, field] { NumberEdited(edit, *field); });
    }
    return row;
}

int ParameterDialog::AddTimeUnitRow(int row)
{
    QGridLayout* g = grid();
    timeUnit_ = MakeCombo(kTimeUnit, TimeUnitNames());
    timeUnit_->setCurrentIndex(data_.timeUnit >= 0 && data_.timeUnit < timeUnit_->count() ? data_.timeUnit : -1);
    timeIntervalLabel_ = MakeLabel(QStringLiteral("&Time interval"), kTimeIntervalLabel, timeUnit_);
    timeScaleLabel_ = MakeLabel(QStringLiteral("&Time scale"), kTimeScaleLabel, timeUnit_);
    timeScaleLabel_->hide();
    g->addWidget(timeIntervalLabel_, row, 0);
    g->addWidget(timeScaleLabel_, row, 0);
    g->addWidget(timeUnit_, row, 1);

    // The list holds the techniques in the order of their codes.
    technique_ = MakeCombo(kTechnique, {QStringLiteral("Life table"), QStringLiteral("Product-limit")});
    technique_->setCurrentIndex(kLifeTableTechnique);
    QLabel* techniqueLabel = MakeLabel(QStringLiteral("Tech&nique"), kTechniqueLabel, technique_);
    auto* technique = new QHBoxLayout;
    technique->addWidget(techniqueLabel);
    technique->addWidget(technique_);
    technique->addStretch();
    g->addLayout(technique, row, 3, 1, 2);
    techniqueLabel->setVisible(mode_ != kLifeTable);
    technique_->setVisible(mode_ != kLifeTable);

    connect(timeUnit_, &QComboBox::currentIndexChanged, this, &ParameterDialog::TimeUnitChanged);
    connect(technique_, &QComboBox::currentIndexChanged, this, &ParameterDialog::TechniqueChanged);
    return row + 1;
}

void ParameterDialog::TimeUnitChanged()
{
    TakeTypedPeriod();
    data_.timeUnit = timeUnit_->currentIndex();
    data_.PrepareTimeWindow();
    ShowParameters();
}

void ParameterDialog::TechniqueChanged()
{
    const bool productLimit = technique_->currentIndex() == kProductLimitTechnique;
    timeScaleLabel_->setVisible(productLimit);
    timeIntervalLabel_->setVisible(!productLimit);
    OfferTechniqueStandardisation();
}

void ParameterDialog::OfferTechniqueStandardisation()
{
    const std::int32_t technique = technique_->currentIndex();
    OfferStandardisation(CanStandardise(mode_, technique, StandardiseMethod::kBrenner),
                         !CanStandardise(mode_, technique));
}

void ParameterDialog::NumberEdited(QLineEdit* edit, std::int32_t& field)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (!ok) return;
    field = value;
    if (edit == periodWidth_) diagram_->update();
}

bool ParameterDialog::TakeTypedPeriod()
{
    if (mode_ != kPeriodAnalysis) return true;
    if (refusingPeriod_) return false;  // the focus moving back to a refused date
    const QString beginText = periodBegin_->text().trimmed();
    const QString endText = periodEnd_->text().trimmed();
    if (beginText == DisplayText(data_.periodBegin.displayText()) &&
        endText == DisplayText(data_.periodEnd.displayText()))
        return true;
    const auto refuse = [this](QLineEdit* edit, const std::string& message) {
        refusingPeriod_ = true;
        services_.messages.Show(this, DisplayText(message));
        edit->setFocus();
        edit->selectAll();
        refusingPeriod_ = false;
        return false;
    };
    const DateValue begin = ParseEnteredDate(beginText.toStdString());
    if (!begin.isValid()) return refuse(periodBegin_, text::kEnterADate);
    const DateValue end = ParseEnteredDate(endText.toStdString());
    if (!end.isValid()) return refuse(periodEnd_, text::kEnterADate);
    data_.timeUnit = timeUnit_->currentIndex();
    const PeriodFault fault = TakePeriodOfInterest(data_, begin, end);
    if (fault != PeriodFault::kNone) {
        QLineEdit* typed = endText != DisplayText(data_.periodEnd.displayText()) ? periodEnd_ : periodBegin_;
        return refuse(typed, PeriodFaultMessage(fault, begin, end, data_));
    }
    ShowParameters();
    return true;
}

// The record's period, n and width into the controls.
void ParameterDialog::ShowParameters()
{
    periodBegin_->setText(DisplayText(data_.periodBegin.displayText()));
    periodEnd_->setText(DisplayText(data_.periodEnd.displayText()));
    const QSignalBlocker blockN(survivalYears_);
    const QSignalBlocker blockWidth(periodWidth_);
    survivalYears_->setText(QString::number(data_.survivalYears));
    periodWidth_->setText(QString::number(data_.periodWidth));
    survivalYearsUnit_->setText(TimeUnitPlural(data_.timeUnit));
    periodWidthUnit_->setText(TimeUnitPlural(data_.timeUnit));
    diagram_->update();
}

void ParameterDialog::accept()
{
    if (!TakeTypedPeriod()) return;
    std::int32_t survivalYears = data_.survivalYears;
    std::int32_t periodWidth = data_.periodWidth;
    if (mode_ == kTrend && !(ReadInteger(survivalYears_, survivalYears) && ReadInteger(periodWidth_, periodWidth)))
        return;
    if (mode_ == kTrend) {
        const std::int32_t unit = timeUnit_->currentIndex();
        if (const Refusal refusal = TrendParameterRefusal(unit, survivalYears, periodWidth)) {
            services_.messages.Show(this, DisplayText(*refusal));
            (unit != kUnitYear ? static_cast<QWidget*>(timeUnit_) : survivalYears_)->setFocus();
            return;
        }
    }
    if (!ReadSummaries(mode_, mode_ == kLifeTable ? kLifeTableTechnique : technique_->currentIndex())) return;
    RelativeSurvivalInput relative;
    if (!ReadRelativeSurvival(relative)) return;

    data_.eventCode = ChosenEventCode();
    SetConfidenceLevel(data_, confidence_->currentText().toStdString());
    if (mode_ != kLifeTable) data_.periodTechnique = technique_->currentIndex();
    WriteRelativeSurvival(std::move(relative));
    WriteIndexFields();
    QDialog::accept();
}

}  // namespace kalderon
