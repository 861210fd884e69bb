#pragma once

// Texts of the comparison of groups, which follows the results report and
// has an export of its own.
namespace kalderon::text {

inline constexpr const char* kComparisonHeading = "Comparison of groups\r\n--------------------\r\n\r\n";
inline constexpr const char* kLogRankTitle = "Log-rank test (Mantel-Haenszel)\r\n";
inline constexpr const char* kPetoPetoTitle =
    "Peto-Peto test (events weighted by the product-limit estimate of all cases)\r\n";
inline constexpr const char* kTestColumns =
    "group                    cases     observed     expected\r\n"
    "--------------------  --------  -----------  -----------\r\n";
inline constexpr const char* kTestRow = "%-20s  %8d  %11.6f  %11.6f\r\n";
inline constexpr const char* kTestResult = "Chi-square: %.4f   degrees of freedom: %d   p-value: %s\r\n";
inline constexpr const char* kNoTestResult = "Chi-square: NA   degrees of freedom: 0   p-value: NA\r\n";
inline constexpr const char* kSmallPValue = "<0.0001";
inline constexpr const char* kQuartileTitle = "Median and quartiles of survival time [%s]   %s CI limits\r\n";
inline constexpr const char* kQuartileColumns =
    "group                 quantile  survival time        lower        upper\r\n"
    "--------------------  --------  -------------  -----------  -----------\r\n";
inline constexpr const char* kQuartileRow = "%-20s  %-8s  %13s  %11s  %11s\r\n";
inline constexpr const char* kAllCases = "all cases";

inline constexpr const char* kTestExportHeader =
    "Test;Group;Cases;Observed;Expected;Chi-square;Degrees of freedom;p-value\n";
inline constexpr const char* kQuartileExportHeader = "Group;Quantile;Survival time;CI lower limit;CI upper limit\n";

}  // namespace kalderon::text
