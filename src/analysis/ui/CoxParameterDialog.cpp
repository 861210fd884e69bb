#include "analysis/ui/CoxParameterDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "analysis/CaseField.h"
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
    : ParameterDialogBase(kDialog, analysis, data.cases, kProductLimit, data.hasGroupColumn, services, parent)
{
    if (data.hasBirthColumn) fields_.push_back(kAgeFieldName);
    fields_.push_back(kBeginYearFieldName);
    for (size_t i = 0; i < data.columns.columnCount(); ++i) fields_.push_back(data.columns[i].name());

    int row = AddObservationRows(0);
    row = AddEventRow(row, QStringLiteral("Coding of &event:"), true);
    covariates_ = MakeFieldList(kCovariates);
    factors_ = MakeFieldList(kFactors);
    grid()->addWidget(MakeLabel(QStringLiteral("Co&variates:"), 0, covariates_), row, 0, Qt::AlignTop);
    grid()->addWidget(covariates_, row, 1);
    grid()->addWidget(MakeLabel(QStringLiteral("&Factors:"), 0, factors_), row, 3, Qt::AlignRight | Qt::AlignTop);
    grid()->addWidget(factors_, row++, 4);
    references_ = new QLineEdit(this);
    references_->setObjectName(ControlName(kReferences));
    references_->setPlaceholderText(QStringLiteral("FIELD=LEVEL; ..."));
    grid()->addWidget(MakeLabel(QStringLiteral("&Reference levels:"), 0, references_), row, 0);
    grid()->addWidget(references_, row++, 1, 1, 4);

    QStringList choices{QStringLiteral("(none)")};
    for (const std::string& field : fields_) choices << DisplayText(field);
    strata_ = MakeCombo(kStrata, choices);
    grid()->addWidget(MakeLabel(QStringLiteral("&Strata:"), 0, strata_), row, 0);
    grid()->addWidget(strata_, row, 1);
    ties_ = MakeCombo(kTies, {QString::fromLatin1(text::kCoxEfron), QString::fromLatin1(text::kCoxBreslow)});
    grid()->addWidget(MakeLabel(QStringLiteral("&Ties:"), 0, ties_), row, 3, Qt::AlignRight);
    grid()->addWidget(ties_, row++, 4);
    curvesBy_ = MakeCombo(kCurvesBy, choices);
    grid()->addWidget(MakeLabel(QStringLiteral("C&urves by:"), 0, curvesBy_), row, 0);
    grid()->addWidget(curvesBy_, row++, 1);
    AddConfidenceRow(row);
    FinishLayout(QStringLiteral("cox_regression"));
    covariates_->setFocus();
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

std::string CoxParameterDialog::ChosenField(const QComboBox* combo) const
{
    const int index = combo->currentIndex();
    return index > 0 ? fields_[static_cast<size_t>(index - 1)] : std::string();
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
    for (const QString& reference : references_->text().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        choice.references.push_back(reference.trimmed().toStdString());
    if (const std::string strata = ChosenField(strata_); !strata.empty()) choice.strata.push_back(strata);
    choice.ties = ties_->currentIndex() == 1 ? CoxTies::kBreslow : CoxTies::kEfron;
    choice.curvesBy = ChosenField(curvesBy_);
    choice.eventCodes = {ChosenEventCode()};
    data_.eventCode = choice.eventCodes.front();
    data_.eventCodeIndex = eventCodes_->currentIndex();
    data_.ciLevelText = confidence_->currentText().toStdString();
    modelChoice_ = std::move(choice);
    QDialog::accept();
}

}  // namespace kalderon
