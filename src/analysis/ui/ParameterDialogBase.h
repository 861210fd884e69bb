#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "import/PopulationTableLoader.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kalderon {

struct AppServices;
class ObservationPeriodDiagram;
class SurvivalSummaryRows;

// What the three parameter dialogs share: the observation-period diagram
// over the record's cases, the observation period, the event code, the
// confidence level, "Stratified analysis", the sex coding, the list of a
// population database's tables, OK, Cancel and Help.  The dialogs write
// straight into the record; Cancel leaves what their live reactions wrote.
class ParameterDialogBase : public QDialog {
    Q_OBJECT
public:
    // Ids of the controls the parameter dialogs share.
    static constexpr int kObservationBegin = 1021;
    static constexpr int kObservationEnd = 1022;
    static constexpr int kInvalidCasesNote = 1027;
    // Under the period of observation while a selection holds: its
    // conditions and how many cases it keeps.
    static constexpr int kSelectionNote = 1109;
    static constexpr int kEventCode = 1028;
    static constexpr int kConfidence = 1029;
    static constexpr int kStratified = 1063;
    static constexpr int kCompareGroups = 1090;
    static constexpr int kRelativeSurvival = 1064;
    static constexpr int kRelativeGroup = 1082;  // the group box around relative survival
    static constexpr int kSexLabel = 1075;
    static constexpr int kSexCodes = 1036;
    static constexpr int kMale = 1005;
    static constexpr int kFemale = 1006;
    static constexpr int kTablesLabel = 1073;
    static constexpr int kTables = 1074;
    static constexpr int kMethodLabel = 1083;
    static constexpr int kMethod = 1077;  // of estimating expected survival
    static constexpr int kClosingLabel = 1037;
    static constexpr int kClosingDate = 1038;
    static constexpr int kStandardisation = 1091;
    static constexpr int kStandardisationLabel = 1092;
    static constexpr int kCrudeProbabilities = 1121;
    static constexpr int kStandardisationMethod = 1120;

    // The "Stratified analysis" check, which the computation takes as its
    // argument: 1 on, 0 off.
    std::int32_t stratified() const;
    // The "Compare groups" check of the life table and product-limit: on,
    // shown (a group column and "Stratified analysis") and checked.
    bool compareGroups() const;
    // The "Age standardisation" choice, an IcssStandard: the standard chosen
    // while the list is offered and relative survival is on, else none.
    std::int32_t standardise() const;
    // "Crude probabilities of death": offered, checked and usable, which
    // needs relative survival after Ederer II.
    bool crudeProbabilities() const;
    // The method beside it, shown once a standard is chosen: "traditional"
    // (each age group's estimate, weighted) or "Brenner weights".
    StandardiseMethod standardiseMethod() const;

    // What the rows of SurvivalSummaryRows ask for, as OK read them; nothing
    // in a dialog without them.
    void FillSummaries(AnalysisRequest& request) const;

    ObservationPeriodDiagram* diagram() const { return diagram_; }

    // Stops the trend diagram's animation as the dialog closes.
    void done(int result) override;

protected:
    ParameterDialogBase(int dialogId, CAnalysisData& data, const CaseList& cases, AnalysisKind diagramMode,
                        bool hasGroupColumn, AppServices& services, QWidget* parent);

    // Rows of the dialog's grid, added in the order the dialog shows them;
    // each returns the next free row.
    int AddObservationRows(int row);
    int AddEventRow(int row, const QString& label, bool showCensored);
    int AddConfidenceRow(int row);
    int AddStratifiedRow(int row);
    // "Compare groups", shown while "Stratified analysis" is, and checked;
    // on by default when there are groups.
    int AddCompareGroupsRow(int row);
    // The survival at chosen times, the conditional survival and, with
    // `restrictedMean`, the restricted mean survival time (SurvivalSummaryRows).
    int AddSummaryRows(int row, QComboBox* timeUnit, bool restrictedMean);
    // Reads them for OK: false, with the message shown, when they do not fit.
    bool ReadSummaries(AnalysisKind kind, std::int32_t periodTechnique);
    // "Coding of sex:" with the list of sex codes and "Male" / "Female".
    int AddSexCodingRow(QGridLayout* grid, int row);
    // The label and the list of a population database's tables.
    int AddTableRow(QGridLayout* grid, int row, const QString& label);
    // OK, Cancel and Help beside the grid; Help shows `helpTopic`.
    void FinishLayout(const QString& helpTopic);

    // Lists the tables of a population database, the first one chosen;
    // shows the database's message and returns false when it cannot be read.
    bool ListTables(const QString& databasePath);
    // Reads the chosen table into `tables`; shows the database's message and
    // returns false when it cannot be read.
    bool LoadChosenTable(const QString& databasePath, std::vector<CPopulationYearTable>& tables,
                         PopulationValues values = PopulationValues::kProbabilities);
    // The chosen entries as the record and the database hold them.
    std::string ChosenTable() const;
    std::string ChosenEventCode() const;
    SexCodingChoice SexCoding() const;

    // "Please enter an integer." and the focus in the edit when it does not
    // hold a whole number.
    bool ReadInteger(QLineEdit* edit, std::int32_t& value);

    // The group kRelativeGroup of the life-table dialogs: "Relative survival"
    // with the sex coding, the life tables, the method and the closing date,
    // which only Hakulinen shows when `closingDateWithHakulinen`.  Hidden when
    // relative survival is not possible, disabled when the life tables
    // cannot be listed.  "Age standardisation" stands below the method,
    // shown while OfferStandardisation says so.
    int AddRelativeSurvivalRows(int row, bool possible, bool closingDateWithHakulinen);
    // Shows or hides "Age standardisation" (for the analyses that have it);
    // `brennerOnly` where only Brenner's weights apply: "traditional" stays
    // in the method list, greyed out.
    void OfferStandardisation(bool offered, bool brennerOnly = false);
    // Shows "Crude probabilities of death" below it (the life table).
    void OfferCrudeProbabilities();
    // Shows the method beside a chosen standard.
    void ShowStandardisationMethod();

    // What OK takes for relative survival, read before anything is written
    // so that a closing date that does not parse or a table that cannot be
    // loaded keeps the dialog open with the record untouched.
    struct RelativeSurvivalInput {
        bool on = false;
        DateValue closingDate;
        std::vector<CPopulationYearTable> tables;
    };
    bool ReadRelativeSurvival(RelativeSurvivalInput& input);
    // `relativeSurvival` and, when it is on, the sex coding, the table's
    // name, the method (Hakulinen or net survival), the closing date and the
    // loaded table.
    void WriteRelativeSurvival(RelativeSurvivalInput input);
    // The list positions kept as defaults for the next dialog.
    void WriteIndexFields();

    QGridLayout* grid() const { return grid_; }
    QComboBox* MakeCombo(int id, const QStringList& entries);
    QLabel* MakeLabel(const QString& text, int id = 0, QWidget* buddy = nullptr);
    // A date shown as "%d.%m.%Y".
    QLineEdit* MakeDateEdit(int id, const DateValue& date, bool readOnly);

    CAnalysisData& data_;
    AppServices& services_;
    ObservationPeriodDiagram* diagram_;
    QComboBox* eventCodes_ = nullptr;
    QComboBox* confidence_ = nullptr;
    QCheckBox* stratified_ = nullptr;
    QCheckBox* compareGroups_ = nullptr;
    QLabel* sexLabel_ = nullptr;
    QComboBox* sexCodes_ = nullptr;
    QRadioButton* male_ = nullptr;
    QRadioButton* female_ = nullptr;
    QLabel* tablesLabel_ = nullptr;
    QComboBox* tables_ = nullptr;

private:
    SurvivalSummaryRows* summaryRows_ = nullptr;
    AnalysisRequest summaries_;
    void ShowMethod();
    void EnableRelativeSurvival();

    QGroupBox* relativeGroup_ = nullptr;
    QCheckBox* relative_ = nullptr;
    QLabel* methodLabel_ = nullptr;
    QComboBox* method_ = nullptr;
    QLabel* standardisationLabel_ = nullptr;
    QComboBox* standardisation_ = nullptr;
    QComboBox* standardisationMethod_ = nullptr;
    bool standardisationOffered_ = false;
    QCheckBox* crude_ = nullptr;
    QLabel* closingLabel_ = nullptr;
    QLineEdit* closingDate_ = nullptr;
    bool closingDateWithHakulinen_ = false;
    std::vector<std::string> tableNames_;
    bool hasGroupColumn_;
    std::string selectionNote_;
    QGridLayout* grid_;
};

}  // namespace kalderon
