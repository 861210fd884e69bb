#pragma once

#include <string>

namespace kalderon {

// Texts of the application's string table, addressed by number.  Every
// message, caption, column header and report line the program writes comes
// from here, so that a line of output can be traced to its string.
// Returns an empty string for a number the table does not hold.
const std::string& LoadString(int id);

// Texts the program shows that have no number of their own.
namespace text {
inline constexpr const char* kNonYearTrend = "Analysis for non-year intervals under construction!";
inline constexpr const char* kTrendBelowOneYear =
    "The n of the n-year survival and the width of period must be at least 1 year!";
inline constexpr const char* kSmrComputationError = "Error occured during computation.\n";

// Results report header and export header lines.
inline constexpr const char* kEventCoding = "Coding of event of interest: %s";
inline constexpr const char* kSexCodingMale = "Coding of sex:               Male = %s";
inline constexpr const char* kSexCodingFemale = "Coding of sex:               Female = %s";
inline constexpr const char* kSexCodingBoth = "Coding of sex:               Male = %s, Female = %s";
inline constexpr const char* kReferenceRateTable = "Reference rate table used:   %s\n";
inline constexpr const char* kLifeTableExportHeader =
    "Interval of follow-up;Entered;Died;Censored;Exposed to risk;"
    "Interval-specific survival;Cumulative survival;"
    "Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kRelativeLifeTableExportHeader =
    "Interval of follow-up;Entered;Died;Censored;Exposed to risk;"
    "Interval-specific survival;Cumulative survival;Cumulative expected survival;"
    "Cumulative relative survival;Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kPeriodLifeTableExportHeader =
    "Interval of follow-up;Entered (censored at begin of P);Died (censored at begin of P);"
    "Censored (censored at begin of P);"
    "Entered (censored at end of P);Died (censored at end of P);Censored (censored at end of P);"
    "Entered (difference);Died (difference);Censored (difference);Exposed to risk;"
    "Interval-specific survival;Cumulative survival;Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kTrendExportHeader =
    "Starting year of period;Exposed to risk at period start;Exposed to risk at period end;"
    "%d-year survival;"
    "Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kProductLimitExportHeader =
    "Survival time;At risk;Proportion surviving;Cumulative survival;"
    "Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kRelativePeriodLifeTableExportHeader =
    "Interval of follow-up;Entered (censored at begin of P);Died (censored at begin of P);"
    "Censored (censored at begin of P);"
    "Entered (censored at end of P);Died (censored at end of P);Censored (censored at end of P);"
    "Entered (difference);Died (difference);Censored (difference);Exposed to risk;"
    "Interval-specific survival;Cumulative survival;Cumulative expected survival;Cumulative relative survival;"
    "Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kRelativeTrendExportHeader =
    "Starting year of period;Exposed to risk at period start;Exposed to risk at period end;"
    "%d-year survival;%d-year expected survival;%d-year relative survival;"
    "Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kRelativeProductLimitExportHeader =
    "Survival time;At risk;Proportion surviving;Cumulative survival;Cumulative expected survival;"
    "Cumulative relative survival;Standard error;CI lower limit;CI upper limit\n";
// Net survival (Pohar-Perme) in place of the relative survival.
inline constexpr const char* kNetSurvivalTitle = "Net Survival\r\n";
inline constexpr const char* kNetSurvivalMethod = "Method for estimating net survival     :  Pohar-Perme\r\n";
// Chart title and survival axis of net survival.
inline constexpr const char* kNetSurvivalChartTitle = "Cumulative net survival";
inline constexpr const char* kNetTrendChartTitle = "%d-year net survival";
inline constexpr const char* kNetSurvivalAxis = "Net survival rate";
inline constexpr const char* kNetSurvivalUndefined =
    "A case under observation meets a yearly survival probability of 0 in the general population life table: "
    "net survival cannot be computed.";
inline constexpr const char* kSmrExportHeader =
    "Observed events;Expected events;SMR/SIR;CI lower limit;CI upper limit;Person-years\n";

// A results file that cannot be written: its path and the system's reason.
inline constexpr const char* kFileNotWritten = "The file %s could not be written: %s";
// A file that could not be written; %s is its full path.
inline constexpr const char* kCannotWriteFile = "Could not write file %s.";

// A command that ran out of memory.
inline constexpr const char* kNotEnoughMemory =
    "There is not enough memory to finish this command. The windows already open are unchanged.";

// Help topics that cannot be shown; %s is the full path of the help file.
inline constexpr const char* kHelpFileNotFound = "File %s (compiled HTML Help file) not found.";

// Database engine errors.
inline constexpr const char* kDaoErrorWithInfo = "%s   (%d)\n\n";
inline constexpr const char* kDaoErrorStatusOnly =
    "ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\nResultFromScode =%d\n";
}  // namespace text

}  // namespace kalderon
