#include "analysis/ui/ParameterDialogBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "analysis/CaseFieldSummary.h"
#include "analysis/DateEntry.h"
#include "analysis/ui/ObservationPeriodDiagram.h"
#include "analysis/ui/SurvivalSummaryRows.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/HelpKey.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/UiText.h"
#include "common/ui/WaitCursor.h"
#include "help/ui/HelpTopics.h"
#include "import/PopulationTableLoader.h"
#include "resources/Texts.h"
#include "stats/AgeStandardisation.h"

namespace kalderon {
namespace {

// The method list holds the methods in the order of their codes.
ExpectedSurvivalMethod MethodChosenIn(const QComboBox& methods)
{
    return static_cast<ExpectedSurvivalMethod>(methods.currentIndex());
}

QStringList DisplayTexts(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& text : texts) list << DisplayText(text);
    return list;
}

// The list position `index` when the list has it; else the first entry or,
// without `fallBackToFirst`, none.
int ListPosition(std::int32_t index, int count, bool fallBackToFirst)
{
    if (index < count) return index;
    return fallBackToFirst ? 0 : -1;
}

}  // namespace

ParameterDialogBase::ParameterDialogBase(int dialogId, CAnalysisData& data, const CaseList& cases,
                                         AnalysisKind diagramMode, bool hasGroupColumn, AppServices& services,
                                         QWidget* parent)
    : QDialog(parent),
      data_(data),
      services_(services),
      diagram_(new ObservationPeriodDiagram(&data, &cases.records, diagramMode, this)),
      hasGroupColumn_(hasGroupColumn),
      grid_(new QGridLayout)
{
    setObjectName(ControlName(dialogId));
    setWindowTitle(QStringLiteral("Parameter selection"));
    diagram_->FollowSelection(&cases.selected);
    selectionNote_ = SelectionNote(data, cases);
    grid_->setHorizontalSpacing(8);
}

std::int32_t ParameterDialogBase::stratified() const { return stratified_ && stratified_->isChecked() ? 1 : 0; }

bool ParameterDialogBase::compareGroups() const
{
    return compareGroups_ && hasGroupColumn_ && stratified() == 1 && compareGroups_->isChecked();
}

std::int32_t ParameterDialogBase::standardise() const
{
    if (!standardisationOffered_ || !relative_->isChecked() || !relativeGroup_->isEnabled()) return kNoStandardisation;
    return standardisation_->currentIndex();
}

bool ParameterDialogBase::crudeProbabilities() const
{
    return crude_ && !crude_->isHidden() && crude_->isEnabled() && crude_->isChecked();
}

StandardiseMethod ParameterDialogBase::standardiseMethod() const
{
    if (standardise() == kNoStandardisation) return StandardiseMethod::kTraditional;
    return static_cast<StandardiseMethod>(standardisationMethod_->currentIndex());
}

void ParameterDialogBase::done(int result)
{
    diagram_->StopAnimation();
    QDialog::done(result);
}

QComboBox* ParameterDialogBase::MakeCombo(int id, const QStringList& entries)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(ControlName(id));
    combo->addItems(entries);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(8);
    return combo;
}

QLineEdit* ParameterDialogBase::MakeDateEdit(int id, const DateValue& date, bool readOnly)
{
    auto* edit = new QLineEdit(DisplayText(date.displayText()), this);
    edit->setObjectName(ControlName(id));
    edit->setReadOnly(readOnly);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("88.88.88888")) + 12);
    return edit;
}

QLabel* ParameterDialogBase::MakeLabel(const QString& text, int id, QWidget* buddy)
{
    auto* label = new QLabel(text, this);
    if (id != 0) label->setObjectName(ControlName(id));
    if (buddy) label->setBuddy(buddy);
    return label;
}

int ParameterDialogBase::AddObservationRows(int row)
{
    grid_->addWidget(MakeLabel(QStringLiteral("Period of observation")), row, 0);
    grid_->addWidget(MakeDateEdit(kObservationBegin, data_.firstBeginDate, true), row, 1);
    grid_->addWidget(MakeLabel(QStringLiteral("to")), row, 2, Qt::AlignCenter);
    grid_->addWidget(MakeDateEdit(kObservationEnd, data_.lastEndDate, true), row, 3);
    QLabel* note = MakeLabel(QStringLiteral("(After exclusion of invalid cases)"), kInvalidCasesNote);
    note->setVisible(data_.TotalRecordsSkipped() > 0);
    grid_->addWidget(note, row, 4);
    if (selectionNote_.empty()) return row + 1;
    QLabel* selection = MakeLabel(DisplayText(selectionNote_), kSelectionNote);
    selection->setWordWrap(true);
    grid_->addWidget(selection, row + 1, 0, 1, 5);
    return row + 2;
}

int ParameterDialogBase::AddEventRow(int row, const QString& label, bool showCensored)
{
    eventCodes_ = MakeCombo(kEventCode, DisplayTexts(data_.statusCodes));
    eventCodes_->setCurrentIndex(ListPosition(PreselectedEventCodeIndex(data_), eventCodes_->count(), showCensored));
    grid_->addWidget(MakeLabel(label, 0, eventCodes_), row, 0);
    grid_->addWidget(eventCodes_, row, 1);
    if (showCensored) {
        grid_->addWidget(MakeLabel(QStringLiteral("Censored cases:")), row, 3, Qt::AlignRight);
        grid_->addWidget(MakeLabel(QStringLiteral("All other codes")), row, 4);
    }
    return row + 1;
}

int ParameterDialogBase::AddConfidenceRow(int row)
{
    confidence_ = MakeCombo(kConfidence, {QStringLiteral(".95"), QStringLiteral(".99")});
    confidence_->setCurrentIndex(0);
    grid_->addWidget(MakeLabel(QStringLiteral("Confidence &interval"), 0, confidence_), row, 0);
    grid_->addWidget(confidence_, row, 1);
    return row + 1;
}

int ParameterDialogBase::AddStratifiedRow(int row)
{
    stratified_ = new QCheckBox(QStringLiteral("&Stratified analysis"), this);
    stratified_->setObjectName(ControlName(kStratified));
    stratified_->setChecked(hasGroupColumn_);
    stratified_->setVisible(hasGroupColumn_);
    grid_->addWidget(stratified_, row, 0, 1, 5);
    return row + 1;
}

int ParameterDialogBase::AddCompareGroupsRow(int row)
{
    compareGroups_ = new QCheckBox(QStringLiteral("Compare gro&ups"), this);
    compareGroups_->setObjectName(ControlName(kCompareGroups));
    compareGroups_->setChecked(hasGroupColumn_);
    compareGroups_->setVisible(hasGroupColumn_ && stratified_->isChecked());
    connect(stratified_, &QCheckBox::toggled, compareGroups_,
            [this](bool on) { compareGroups_->setVisible(hasGroupColumn_ && on); });
    grid_->addWidget(compareGroups_, row, 0, 1, 5);
    return row + 1;
}

int ParameterDialogBase::AddSummaryRows(int row, QComboBox* timeUnit, bool restrictedMean)
{
    summaryRows_ = new SurvivalSummaryRows(this, grid_, row, timeUnit, restrictedMean);
    return row;
}

bool ParameterDialogBase::ReadSummaries(AnalysisKind kind, std::int32_t periodTechnique)
{
    if (!summaryRows_) return true;
    summaries_.analysis = kind;
    return summaryRows_->Read(summaries_, periodTechnique, services_);
}

void ParameterDialogBase::FillSummaries(AnalysisRequest& request) const
{
    request.survivalAt = summaries_.survivalAt;
    request.conditionalFrom = summaries_.conditionalFrom;
    request.restrictedMean = summaries_.restrictedMean;
    request.restrictionTime = summaries_.restrictionTime;
}

int ParameterDialogBase::AddSexCodingRow(QGridLayout* grid, int row)
{
    sexCodes_ = MakeCombo(kSexCodes, DisplayTexts(data_.sexCodes));
    const SexCodingChoice preselected = PreselectedSexCoding(data_);
    sexCodes_->setCurrentIndex(ListPosition(preselected.index, sexCodes_->count(), true));
    sexLabel_ = MakeLabel(QStringLiteral("Coding of se&x:"), kSexLabel, sexCodes_);
    male_ = new QRadioButton(QStringLiteral("&Male"), this);
    male_->setObjectName(ControlName(kMale));
    female_ = new QRadioButton(QStringLiteral("&Female"), this);
    female_->setObjectName(ControlName(kFemale));
    (preselected.female ? female_ : male_)->setChecked(true);
    auto* radios = new QHBoxLayout;
    radios->addWidget(male_);
    radios->addWidget(female_);
    radios->addStretch();
    grid->addWidget(sexLabel_, row, 0);
    grid->addWidget(sexCodes_, row, 1);
    grid->addLayout(radios, row, 2, 1, 3);
    return row + 1;
}

int ParameterDialogBase::AddTableRow(QGridLayout* grid, int row, const QString& label)
{
    tables_ = MakeCombo(kTables, {});
    tables_->setMinimumContentsLength(20);
    tablesLabel_ = MakeLabel(label, kTablesLabel, tables_);
    grid->addWidget(tablesLabel_, row, 0);
    grid->addWidget(tables_, row, 1, 1, 4);
    return row + 1;
}

int ParameterDialogBase::AddRelativeSurvivalRows(int row, bool possible, bool closingDateWithHakulinen)
{
    closingDateWithHakulinen_ = closingDateWithHakulinen;
    relativeGroup_ = new QGroupBox(this);
    relativeGroup_->setObjectName(ControlName(kRelativeGroup));
    auto* inner = new QGridLayout(relativeGroup_);
    inner->setHorizontalSpacing(8);
    relative_ = new QCheckBox(QStringLiteral("&Relative survival"), relativeGroup_);
    relative_->setObjectName(ControlName(kRelativeSurvival));
    relative_->setChecked(possible);
    inner->addWidget(relative_, 0, 0, 1, 5);
    int innerRow = AddSexCodingRow(inner, 1);
    innerRow = AddTableRow(inner, innerRow, QStringLiteral("&General population life tables"));
    method_ = MakeCombo(kMethod, {QStringLiteral("Ederer II"), QStringLiteral("Hakulinen"),
                                  QStringLiteral("Pohar-Perme (net survival)")});
    method_->setCurrentIndex(static_cast<int>(ExpectedSurvivalMethod::kEdererII));
    methodLabel_ = MakeLabel(QStringLiteral("Metho&d for estimating expected survival"), kMethodLabel, method_);
    standardisation_ = MakeCombo(kStandardisation, {QStringLiteral("none"), QStringLiteral("ICSS 1"),
                                                    QStringLiteral("ICSS 2"), QStringLiteral("ICSS 3")});
    standardisation_->setCurrentIndex(kNoStandardisation);
    standardisationLabel_ =
        MakeLabel(QStringLiteral("&Age standardisation"), kStandardisationLabel, standardisation_);
    inner->addWidget(methodLabel_, innerRow, 0);
    inner->addWidget(method_, innerRow, 1, 1, 2);
    // Below the method, so that the dialog stays narrow.
    inner->addWidget(standardisationLabel_, ++innerRow, 0);
    inner->addWidget(standardisation_, innerRow, 1);
    standardisationMethod_ =
        MakeCombo(kStandardisationMethod, {QStringLiteral("traditional"), QStringLiteral("Brenner weights")});
    standardisationMethod_->setCurrentIndex(static_cast<int>(StandardiseMethod::kTraditional));
    standardisationMethod_->setAccessibleName(QStringLiteral("Age standardisation method"));
    inner->addWidget(standardisationMethod_, innerRow, 2);
    connect(standardisation_, &QComboBox::currentIndexChanged, this, &ParameterDialogBase::ShowStandardisationMethod);
    OfferStandardisation(false);
    crude_ = new QCheckBox(QString::fromLatin1(text::kCrudeCheck), relativeGroup_);
    crude_->setObjectName(ControlName(kCrudeProbabilities));
    crude_->hide();
    inner->addWidget(crude_, ++innerRow, 0, 1, 5);
    closingDate_ = MakeDateEdit(kClosingDate, data_.lastEndDate, false);
    closingLabel_ = MakeLabel(QStringLiteral("Common c&losing date"), kClosingLabel, closingDate_);
    inner->addWidget(closingLabel_, ++innerRow, 0);
    inner->addWidget(closingDate_, innerRow, 1);
    inner->setColumnStretch(4, 1);
    grid_->addWidget(relativeGroup_, row, 0, 1, 5);
    closingLabel_->hide();
    closingDate_->hide();

    connect(relative_, &QCheckBox::clicked, this, &ParameterDialogBase::EnableRelativeSurvival);
    connect(method_, &QComboBox::currentIndexChanged, this, &ParameterDialogBase::ShowMethod);
    if (!possible) {
        relativeGroup_->hide();
    } else if (!ListTables(services_.paths.lifeTables)) {
        relative_->setChecked(false);
        relativeGroup_->setEnabled(false);
        closingLabel_->setEnabled(false);
        closingDate_->setEnabled(false);
    }
    return row + 1;
}

void ParameterDialogBase::OfferStandardisation(bool offered, bool brennerOnly)
{
    standardisationOffered_ = offered;
    auto* methods = qobject_cast<QStandardItemModel*>(standardisationMethod_->model());
    methods->item(static_cast<int>(StandardiseMethod::kTraditional))->setEnabled(!brennerOnly);
    if (brennerOnly) standardisationMethod_->setCurrentIndex(static_cast<int>(StandardiseMethod::kBrenner));
    standardisationLabel_->setVisible(offered);
    standardisation_->setVisible(offered);
    ShowStandardisationMethod();
}

void ParameterDialogBase::ShowStandardisationMethod()
{
    standardisationMethod_->setVisible(standardisationOffered_ && standardisation_->currentIndex() != kNoStandardisation);
}

void ParameterDialogBase::OfferCrudeProbabilities()
{
    crude_->show();
    ShowMethod();
}

void ParameterDialogBase::ShowMethod()
{
    crude_->setEnabled(relative_->isChecked() && MethodChosenIn(*method_) == ExpectedSurvivalMethod::kEdererII);
    const bool show = closingDateWithHakulinen_ && MethodChosenIn(*method_) == ExpectedSurvivalMethod::kHakulinen;
    closingLabel_->setVisible(show);
    closingDate_->setVisible(show);
}

void ParameterDialogBase::EnableRelativeSurvival()
{
    const bool on = relative_->isChecked();
    ShowMethod();
    for (QWidget* control : std::initializer_list<QWidget*>{sexLabel_, sexCodes_, male_, female_, tablesLabel_, tables_,
                                                            methodLabel_, method_, standardisationLabel_,
                                                            standardisation_, standardisationMethod_, closingDate_,
                                                            closingLabel_})
        control->setEnabled(on);
}

void ParameterDialogBase::FinishLayout(const QString& helpTopic)
{
    SetHelpTopic(this, helpTopic);
    QDialogButtonBox* buttons = OkCancelHelpButtons(this);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this, helpTopic] { ShowHelpTopic(this, services_, helpTopic); });

    grid_->setColumnStretch(5, 1);
    auto* content = new QVBoxLayout;
    content->addWidget(diagram_);
    content->addLayout(grid_);
    content->addStretch();
    LayOutFittingScreen(this, content, buttons);
}

bool ParameterDialogBase::ListTables(const QString& databasePath)
{
    const ReadResult<std::vector<std::string>> names = ListPopulationTables(PathBytes(databasePath));
    if (!names) {
        services_.messages.Show(parentWidget(), DisplayText(ReaderFaultMessage(names.fault())));
        return false;
    }
    tableNames_ = *names;
    tables_->addItems(DisplayTexts(*names));
    tables_->setCurrentIndex(names->empty() ? -1 : 0);
    return true;
}

std::string ParameterDialogBase::ChosenTable() const
{
    const int index = tables_->currentIndex();
    return index >= 0 && static_cast<size_t>(index) < tableNames_.size() ? tableNames_[index] : std::string();
}

std::string ParameterDialogBase::ChosenEventCode() const
{
    const int index = eventCodes_->currentIndex();
    return index >= 0 && static_cast<size_t>(index) < data_.statusCodes.size() ? data_.statusCodes[index]
                                                                                : std::string();
}

bool ParameterDialogBase::LoadChosenTable(const QString& databasePath, std::vector<CPopulationYearTable>& tables,
                                          PopulationValues values)
{
    ReadResult<std::vector<CPopulationYearTable>> loaded = [&] {
        WaitCursor wait;
        return LoadPopulationTable(PathBytes(databasePath), ChosenTable(), values);
    }();
    if (!loaded) {
        tables.clear();
        services_.messages.Show(this, DisplayText(ReaderFaultMessage(loaded.fault())));
        tables_->setFocus();
        return false;
    }
    tables = std::move(*loaded);
    return true;
}

SexCodingChoice ParameterDialogBase::SexCoding() const
{
    return SexCodingChoice{sexCodes_->currentIndex(), female_->isChecked()};
}

bool ParameterDialogBase::ReadInteger(QLineEdit* edit, std::int32_t& value)
{
    bool ok = false;
    const int number = edit->text().trimmed().toInt(&ok);
    if (!ok) {
        services_.messages.Show(this, QString::fromLatin1(text::kEnterAnInteger));
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = number;
    return true;
}

bool ParameterDialogBase::ReadRelativeSurvival(RelativeSurvivalInput& input)
{
    input.on = relative_->isChecked();
    if (!input.on) return true;
    input.closingDate = ParseEnteredDate(closingDate_->text().toStdString());
    if (!input.closingDate.isValid()) {
        services_.messages.Show(this, QString::fromLatin1(text::kEnterClosingDate));
        if (closingDate_->isVisible()) {
            closingDate_->setFocus();
            closingDate_->selectAll();
        }
        return false;
    }
    return LoadChosenTable(services_.paths.lifeTables, input.tables);
}

void ParameterDialogBase::WriteRelativeSurvival(RelativeSurvivalInput input)
{
    data_.relativeSurvival = input.on ? 1 : 0;
    if (!input.on) return;
    ApplyPopulationChoices(data_, PopulationChoices{SexCoding(), ChosenTable()});
    data_.SetSurvivalMethod(MethodChosenIn(*method_));
    data_.closingDate = input.closingDate;
    data_.populationTables = std::move(input.tables);
}

void ParameterDialogBase::WriteIndexFields()
{
    data_.eventCodeIndex = eventCodes_->currentIndex();
    data_.sexCodeIndex = sexCodes_->currentIndex();
    data_.sexCodeIsFemale = female_->isChecked() ? 1 : 0;
}

}  // namespace kalderon
