#include "analysis/ui/SmrParameterDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "common/ui/AppServices.h"

namespace kalderon {

SmrParameterDialog::SmrParameterDialog(CAnalysisData& data, const CaseList& cases, bool hasGroupColumn,
                                       AppServices& services, QWidget* parent)
    : ParameterDialogBase(kDialog, data, cases, kSmrSir, hasGroupColumn, services, parent)
{
    int row = AddObservationRows(0);
    row = AddEventRow(row, QStringLiteral("Coding of &event of interest"), false);
    row = AddConfidenceRow(row);
    QComboBox* method = MakeCombo(kSmrMethod, {QStringLiteral("Byar")});
    method->setCurrentIndex(0);
    grid()->addWidget(method, row - 1, 4);
    grid()->addWidget(MakeLabel(QStringLiteral("Metho&d"), 0, method), row - 1, 3, Qt::AlignRight);
    row = AddStratifiedRow(row);

    auto* population = new QGroupBox(this);
    auto* inner = new QGridLayout(population);
    inner->setHorizontalSpacing(8);
    const int innerRow = AddSexCodingRow(inner, 0);
    AddTableRow(inner, innerRow, QStringLiteral("&General population reference rate tables"));
    inner->setColumnStretch(4, 1);
    grid()->addWidget(population, row, 0, 1, 5);
    FinishLayout(QStringLiteral("compute_SMR"));

    tablesListed_ = ListTables(services.paths.referenceRateTables);
    eventCodes_->setFocus();
}

int SmrParameterDialog::exec() { return tablesListed_ ? QDialog::exec() : QDialog::Rejected; }

void SmrParameterDialog::accept()
{
    std::vector<CPopulationYearTable> tables;
    if (!LoadChosenTable(services_.paths.referenceRateTables, tables, PopulationValues::kRates)) return;

    data_.eventCode = ChosenEventCode();
    data_.ciLevelText = confidence_->currentText().toStdString();
    ApplyPopulationChoices(data_, PopulationChoices{SexCoding(), ChosenTable()});
    WriteIndexFields();
    data_.populationTables = std::move(tables);
    QDialog::accept();
}

}  // namespace kalderon
