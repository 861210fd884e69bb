#pragma once

namespace kalderon::text {

// Texts of the desktop program that have no number of their own.

// Opening a text file of cases.
inline constexpr const char* kFileIsEmpty = "The file %s holds no lines of data.";
inline constexpr const char* kFileIsNotText =
    "The file %s does not look like a text file of cases: it holds binary data (%s).\n\n"
    "Open it in the text file import anyway?";
inline constexpr const char* kNulBytes = "zero bytes";
inline constexpr const char* kControlCharacters = "control characters";
inline constexpr const char* kUndecodableBytes = "bytes that are neither UTF-8 nor Windows-1252";
inline constexpr const char* kFileUnreadable = "The file %s cannot be read: %s";

// Two roles of the text import on one column.
inline constexpr const char* kRolesShareField = "%s and %s both use column %d.";
inline constexpr const char* kRolesShareCharacter = "%s and %s both use character %d.";
inline constexpr const char* kRolesShareCharacters = "%s and %s both use the characters %d to %d.";
inline constexpr const char* kUseColumnTwiceAnyway = "\n\nImport the file with this setting anyway?";

// Why a case is not valid.
inline constexpr const char* kInvalidBeginDate = "invalid begin date";
inline constexpr const char* kInvalidEndDate = "invalid end date";
inline constexpr const char* kEndBeforeBegin = "end before begin";
inline constexpr const char* kInvalidBirthDate = "invalid date of birth";
inline constexpr const char* kBirthAfterBegin = "date of birth after begin";
inline constexpr const char* kInvalidCaseNumber = "invalid case number";
inline constexpr const char* kCaseNotValid = "Not valid: %s";

// The counts of a data window.
inline constexpr const char* kCaseCounts = "%lld cases read: %lld valid, %lld skipped";

// Values the chart option dialogs refuse.
inline constexpr const char* kNotANumber = "Please enter a number.";
inline constexpr const char* kStepNotPositive = "The step must be greater than 0.";
inline constexpr const char* kMinNotBelowMax = "The minimum must be less than the maximum.";
inline constexpr const char* kAxisRangeTooLarge =
    "The step is too small for the range from minimum to maximum: an axis has at most 1000 ticks.";
inline constexpr const char* kOutOfRange = "Please enter a whole number from 1 to 999.";

}  // namespace kalderon::text
