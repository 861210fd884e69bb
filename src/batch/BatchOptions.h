#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/DataSource.h"
#include "import/TextImportSettings.h"
#include "analysis/AnalysisFile.h"
#include "stats/AgeStandardisation.h"
#include "stats/AnalysisData.h"
#include "stats/CoxFit.h"
#include "stats/DateValue.h"
#include "stats/TimeUnit.h"

namespace kalderon::batch {

// How a database file (IsDatabaseFile) is read: the table and the fields
// of the case values by name (an empty table: the only table of the file),
// or only the lists of its tables or fields.
struct DatabaseInput : DatabaseRoles {
    bool listTables = false;
    bool listFields = false;
};

// The chart of the analysis: a chart file and pictures of it, or the
// pictures of a chart file saved before (openPath, no input file then).
struct ChartOutputs {
    std::string chartPath;  // .cht file to write
    std::string pngPath;
    std::string svgPath;
    std::string openPath;  // .cht file to redraw
    int width = 800;
    int height = 600;
    bool riskTable = false;  // numbers at risk under product-limit pictures

    bool drawn() const { return !pngPath.empty() || !svgPath.empty(); }
    bool any() const { return drawn() || !chartPath.empty(); }
};

// Relative survival and SMR/SIR: the population table, the sex coding and
// the method of expected survival.
struct PopulationOptions {
    bool relativeSurvival = false;
    ExpectedSurvivalMethod method = ExpectedSurvivalMethod::kEdererII;
    bool netSurvivalRaw = false;
    DateValue closingDate;      // Hakulinen; null: the last end date
    std::string databasePath;   // empty: LifeTables.mdb or ReferenceRateTables.mdb, looked for
    std::string tableName;      // empty: the first table of the database
    std::optional<std::string> sexCode;  // none: DefaultSexCoding
    bool sexCodeIsFemale = false;
};

// Everything one run of kalderon-batch does: which file to read and how,
// which analysis with which parameters, and where the results go.
struct BatchOptions {
    std::string inputPath;
    TextImportSettings import;     // text files
    bool isDatabase = false;       // the input is a database file
    DatabaseInput database;        // database files

    AnalysisKind analysis = kLifeTable;
    std::optional<std::string> eventCode;  // none: DefaultEventCodeIndex of the status codes
    std::string competingCodes;            // cumulative incidence: codes separated by ","
    // Cox regression: fields separated by ",", references "FIELD=LEVEL".
    std::string coxCovariates, coxFactors, coxStrata, coxCurvesBy, coxCurveValues;
    std::vector<std::string> coxReferences;
    CoxTies coxTies = CoxTies::kEfron;
    TimeUnitCode timeUnit = kUnitYear;
    std::string ciLevelText = ".95";
    std::optional<bool> stratified;  // none: stratified when a group column is read
    PeriodTechnique periodTechnique = kLifeTableTechnique;  // period analysis and trend
    DateValue periodBegin;  // period analysis; null: the whole observation window
    DateValue periodEnd;
    std::int32_t survivalYears = 5;  // trend
    std::int32_t periodWidth = 5;    // trend
    PopulationOptions population;
    IcssStandard standardise = kNoStandardisation;
    bool crudeProbabilities = false;  // with --relative after Ederer II in the life table
    StandardiseMethod standardiseMethod = StandardiseMethod::kTraditional;

    // The cases analysed and their groups (analysis/CaseChoice): the
    // conditions as written, two fields whose groups are crossed, age and
    // begin-year bands by their cut points.
    std::vector<std::string> conditions;
    std::vector<std::string> crossedGroupFields;
    std::vector<int> ageCuts;
    std::vector<int> beginYearCuts;
    std::vector<std::string> groupKeys;  // --group-by, as written
    bool regroups() const
    {
        return !crossedGroupFields.empty() || !ageCuts.empty() || !beginYearCuts.empty() || !groupKeys.empty();
    }

    std::string reportPath;  // empty: standard output
    std::string csvPath;     // empty: no export file
    std::string xlsxPath;    // empty: no workbook
    bool compare = false;        // the comparison of groups follows the report
    std::string compareCsvPath;  // empty: no export of the comparison
    std::optional<std::vector<double>> survivalAt;  // the curves at these times
    std::optional<double> conditionalFrom;          // survival given survival to this time
    bool restrictedMean = false;                    // the restricted mean survival time
    std::optional<double> restrictionTime;          // none: the default tau
    std::string summaryCsvPath;  // empty: no export of the three above
    std::string conditionalPngPath;  // empty: no picture of the conditional curves

    ChartOutputs chart;

    std::string analysisFilePath;               // the analysis file run, spelled out before the options
    std::string writeAnalysisPath;              // empty: no analysis file written
    std::optional<AnalysisFile> analysisToWrite;  // what --write-analysis-file writes
};

struct CommandLine {
    BatchOptions options;
    bool helpRequested = false;
    std::string error;  // a one-line reason when the command line is not usable
};

// Reads the arguments after the program name.  Options take their value as
// the next argument or after "=".
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The --help text.
const std::string& UsageText();

}  // namespace kalderon::batch
