#include "analysis/ui/CoxParameterDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "analysis/CaseField.h"
#include "analysis/CaseFieldSummary.h"
#include "analysis/ui/TimeUnitTexts.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr int kShownListRows = 6;

}  // namespace

CoxParameterDialog::CoxParameterDialog(const DataSet& data, CAnalysisData& analysis, AppServices& services,
                                       QWidget* parent)
    : ParameterDialogBase(kDialog, analysis, data.cases, kProductLimit, data.hasGroupColumn, services, parent),
      dataSet_(data)
{
    if (data.hasBirthColumn) fields_.push_back(kAgeFieldName);
    fields_.push_back(kBeginYearFieldName);
    for (size_t i = 0; i < data.columns.columnCount(); ++i) fields_.push_back(data.columns[i].name());
    QStringList fieldNames;
    for (const std::string& field : fields_) fieldNames << DisplayText(field);

    int row = AddObservationRows(0);
    row = AddEventRow(row, QStringLiteral("Coding of &event:"), true);
    timeUnit_ = MakeCombo(kTimeUnit, TimeUnitNames());
    timeUnit_->setCurrentIndex(data_.timeUnit >= 0 && data_.timeUnit < timeUnit_->count() ? data_.timeUnit : 0);
    grid()->addWidget(MakeLabel(QStringLiteral("Time u&nit:"), 0, timeUnit_), row, 0);
    grid()->addWidget(timeUnit_, row++, 1);
    covariates_ = MakeFieldList(kCovariates);
    factors_ = MakeFieldList(kFactors);
    grid()->addWidget(MakeLabel(QStringLiteral("Co&variates:"), 0, covariates_), row, 0, Qt::AlignTop);
    grid()->addWidget(covariates_, row, 1);
    grid()->addWidget(MakeLabel(QStringLiteral("&Factors:"), 0, factors_), row, 3, Qt::AlignRight | Qt::AlignTop);
    grid()->addWidget(factors_, row++, 4);

    // A field and its value on one row: the field chosen on the left, the
    // value kept for it on the right.
    const auto addFieldValueRow = [&](const QString& label, int fieldId, int valueId, QComboBox*& field,
                                      QComboBox*& value) {
        field = MakeCombo(fieldId, fieldNames);
        value = MakeCombo(valueId, {});
        grid()->addWidget(MakeLabel(label, 0, field), row, 0);
        grid()->addWidget(field, row, 1);
        grid()->addWidget(MakeLabel(QStringLiteral("=")), row, 2, Qt::AlignCenter);
        grid()->addWidget(value, row++, 3, 1, 2);
    };
    addFieldValueRow(QStringLiteral("&Reference level:"), kReferenceField, kReferences, referenceField_, references_);
    const QString firstLevel = QStringLiteral("(the first level)");
    ShowLevels(referenceField_, references_, firstLevel, chosenReferences_);
    connect(references_, &QComboBox::currentIndexChanged, this,
            [this] { chosenReferences_[ChosenField(referenceField_, 0)] = ShownValue(references_); });
    connect(referenceField_, &QComboBox::currentIndexChanged, this,
            [this, firstLevel] { ShowLevels(referenceField_, references_, firstLevel, chosenReferences_); });

    QStringList choices{QStringLiteral("(none)")};
    choices << fieldNames;
    strata_ = MakeCombo(kStrata, choices);
    grid()->addWidget(MakeLabel(QStringLiteral("&Strata:"), 0, strata_), row, 0);
    grid()->addWidget(strata_, row, 1);
    ties_ = MakeCombo(kTies, {QString::fromLatin1(text::kCoxEfron), QString::fromLatin1(text::kCoxBreslow)});
    grid()->addWidget(MakeLabel(QStringLiteral("&Ties:"), 0, ties_), row, 3, Qt::AlignRight);
    grid()->addWidget(ties_, row++, 4);
    curvesBy_ = MakeCombo(kCurvesBy, choices);
    grid()->addWidget(MakeLabel(QStringLiteral("C&urves by:"), 0, curvesBy_), row, 0);
    grid()->addWidget(curvesBy_, row++, 1);

    // A curve value is a level of the field or a number typed.
    addFieldValueRow(QStringLiteral("Curve va&lues:"), kCurveValueField, kCurveValue, curveValueField_, curveValue_);
    curveValue_->setEditable(true);
    ShowLevels(curveValueField_, curveValue_, QString(), chosenCurveValues_);
    connect(curveValue_, &QComboBox::currentTextChanged, this,
            [this] { chosenCurveValues_[ChosenField(curveValueField_, 0)] = ShownValue(curveValue_); });
    connect(curveValueField_, &QComboBox::currentIndexChanged, this,
            [this] { ShowLevels(curveValueField_, curveValue_, QString(), chosenCurveValues_); });
    curveValue_->lineEdit()->setPlaceholderText(QStringLiteral("(the mean)"));
    AddConfidenceRow(row);
    FinishLayout(QStringLiteral("cox_regression"));
    covariates_->setFocus();
}

void CoxParameterDialog::ShowLevels(const QComboBox* fieldCombo, QComboBox* values, const QString& first,
                                    const std::map<std::string, std::string>& kept)
{
    const std::string field = ChosenField(fieldCombo, 0);
    const QSignalBlocker quiet(values);
    values->clear();
    values->addItem(first, QByteArray());
    CaseField caseField;
    if (!FindCaseField(dataSet_.columns, dataSet_.hasBirthColumn, field, caseField)) {
        for (const FieldValueCount& level : SummariseField(dataSet_, caseField).values)
            if (!level.value.empty()) values->addItem(DisplayText(level.value), QByteArray::fromStdString(level.value));
    }
    const auto it = kept.find(field);
    const std::string value = it == kept.end() ? std::string() : it->second;
    const int index = values->findData(QByteArray::fromStdString(value));
    values->setCurrentIndex(std::max(index, 0));
    if (values->isEditable() && index < 0) values->setEditText(DisplayText(value));
}

// The value of the entry shown, or the text typed.
std::string CoxParameterDialog::ShownValue(const QComboBox* values)
{
    const int index = values->findText(values->currentText(), Qt::MatchExactly);
    if (index >= 0) return values->itemData(index).toByteArray().toStdString();
    return values->currentText().trimmed().toStdString();
}

QListWidget* CoxParameterDialog::MakeFieldList(int id)
{
    auto* list = new QListWidget(this);
    list->setObjectName(ControlName(id));
    for (const std::string& field : fields_) {
        auto* item = new QListWidgetItem(DisplayText(field), list);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    const int rows = std::min(list->count(), kShownListRows);
    list->setFixedHeight(std::max(rows, 1) * list->sizeHintForRow(0) + 2 * list->frameWidth());
    return list;
}

std::vector<std::string> CoxParameterDialog::CheckedFields(const QListWidget* list) const
{
    std::vector<std::string> fields;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) fields.push_back(fields_[static_cast<size_t>(i)]);
    return fields;
}

std::string CoxParameterDialog::ChosenField(const QComboBox* combo, int entriesBefore) const
{
    const int index = combo->currentIndex() - entriesBefore;
    return index >= 0 ? fields_[static_cast<size_t>(index)] : std::string();
}

void CoxParameterDialog::accept()
{
    CoxModelChoice choice;
    choice.covariates = CheckedFields(covariates_);
    if (choice.covariates.empty()) {
        services_.messages.Show(this, QString::fromLatin1(text::kCoxNoCovariate));
        covariates_->setFocus();
        return;
    }
    for (const std::string& factor : CheckedFields(factors_))
        if (std::find(choice.covariates.begin(), choice.covariates.end(), factor) != choice.covariates.end())
            choice.factors.push_back(factor);
    if (const std::string strata = ChosenField(strata_); !strata.empty()) choice.strata.push_back(strata);
    choice.ties = ties_->currentIndex() == 1 ? CoxTies::kBreslow : CoxTies::kEfron;
    choice.curvesBy = ChosenField(curvesBy_);
    const auto covariate = [&](const std::string& field) {
        return std::find(choice.covariates.begin(), choice.covariates.end(), field) != choice.covariates.end();
    };
    // In the order of the fields, the first level and the mean left out.
    for (const std::string& field : fields_) {
        if (!covariate(field)) continue;
        const auto reference = chosenReferences_.find(field);
        if (reference != chosenReferences_.end() && !reference->second.empty())
            choice.references.push_back(field + "=" + reference->second);
        const auto value = chosenCurveValues_.find(field);
        if (value != chosenCurveValues_.end() && !value->second.empty() && field != choice.curvesBy)
            choice.curveValues.push_back(field + "=" + value->second);
    }
    choice.eventCodes = {ChosenEventCode()};
    data_.eventCode = choice.eventCodes.front();
    data_.eventCodeIndex = eventCodes_->currentIndex();
    data_.ciLevelText = confidence_->currentText().toStdString();
    data_.timeUnit = timeUnit_->currentIndex();
    modelChoice_ = std::move(choice);
    QDialog::accept();
}

}  // namespace kalderon
