#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/DateValue.h"
#include "stats/PopulationTable.h"
#include "stats/ResultTables.h"

namespace kalderon {

enum AnalysisKind : std::int32_t {
    kLifeTable = 0,
    kPeriodAnalysis = 1,
    kTrend = 2,
    kProductLimit = 3,
    kSmrSir = 4,
    kCumulativeIncidence = 5,
    kCoxRegression = 6,
};

// The technique of the period analysis and the trend (periodTechnique).
enum PeriodTechnique : std::int32_t {
    kLifeTableTechnique = 0,
    kProductLimitTechnique = 1,
};

// How relative survival is estimated: with the expected survival after
// Ederer II or Hakulinen, or as the Pohar-Perme net survival (the expected
// survival stays Ederer II).  The record keeps the choice in useHakulinen
// and netSurvival.
enum class ExpectedSurvivalMethod : std::int32_t {
    kEdererII = 0,
    kHakulinen = 1,
    kPoharPerme = 2,
};

// The analysis record of one data set: bookkeeping filled while cases are
// built, the analysis parameters, and the per-group result tables.
class CAnalysisData {
public:
    // The member initialisers are the reset values.
    void Reset();

    // Widens the observation window to whole time units, clamps the period
    // of interest into it and sets n and the period width for the unit.
    void PrepareTimeWindow();

    // Sums over groupResults' info.
    std::int32_t TotalRecordsValid() const;
    std::int32_t TotalRecordsSkipped() const;
    std::int32_t TotalRecordsRead() const;

    std::string title;
    // The conditions of the cases analysed, stated after the file in the
    // report; empty while every case is analysed.
    std::string selectionText;

    // Case building.
    std::vector<std::string> statusCodes;
    std::vector<std::string> sexCodes;
    DateValue firstBeginDate;
    DateValue lastEndDate;
    std::int32_t maxObservationDays = 0;

    // Parameters.
    std::string eventCode;
    std::int32_t eventCodeIndex = 0;
    std::string sexCodeFirst;
    std::int32_t sexCodeIndex = 0;
    std::int32_t sexCodeIsFemale = 0;
    std::string populationTableName;
    std::vector<CPopulationYearTable> populationTables;
    DateValue closingDate;
    DateValue windowBegin;
    DateValue windowEnd;
    DateValue periodBegin;
    DateValue periodEnd;
    std::int32_t timeUnit = 0;
    std::int32_t periodTechnique = 0;
    std::int32_t relativeSurvival = 0;
    std::int32_t useHakulinen = 0;
    // With relativeSurvival: the Pohar-Perme net survival in place of the
    // relative survival (the expected survival stays Ederer II).
    std::int32_t netSurvival = 0;
    // With net survival: show its values also where they cannot be trusted.
    std::int32_t netSurvivalRaw = 0;
    // With net survival: the ICSS standard (IcssStandard) whose Brenner
    // weights the net survival walk also takes, for the age-standardised
    // table; 0 for none.
    std::int32_t brennerStandard = 0;
    std::int32_t survivalYears = 5;
    std::int32_t periodWidth = 5;
    std::string ciLevelText;
    // Competing risks: the status codes of the event of interest (one cause
    // together) and of the competing events (a cause each); every other
    // code is censored.  The cumulative incidence is given at the ends of the
    // intervals with periodTechnique kLifeTableTechnique, else at the days of
    // the events.
    std::vector<std::string> incidenceCodes;
    std::vector<std::string> competingCodes;

    // Results.
    double maxRelativeUpper = 1.0;
    std::vector<CGroupResult> groupResults;
    // Competing risks with two or more groups: one test per cause.
    std::vector<CGrayTest> grayTests;

    bool UsesNetSurvival() const { return relativeSurvival != 0 && netSurvival != 0; }
    ExpectedSurvivalMethod SurvivalMethod() const;
    void SetSurvivalMethod(ExpectedSurvivalMethod method);
};

}  // namespace kalderon
