#pragma once

// Every text the program shows or writes that has no number in the string
// table (the numbered ones are read with LoadString, StringTable.h), by
// subject.  Texts with a %-conversion are C format strings.
namespace kalderon::text {

// ---------------------------------------------------------------------------
// Why a computation refused.

inline constexpr const char* kNoPopulationTableChosen =
    "No general population life table was chosen: relative survival cannot be computed.";
// %s: the name of the chosen table.
inline constexpr const char* kPopulationTableWithoutRows =
    "The general population life table \"%s\" holds no usable rows: relative survival cannot be computed.";
inline constexpr const char* kNetSurvivalUndefined =
    "A case under observation meets a yearly survival probability of 0 in the general population life table: "
    "net survival cannot be computed.";
// Net survival where it cannot be trusted: the report's note after a group's
// table (time, unit), the note on standard error (group, time, unit), and
// the rows whose net survival is not shown.
inline constexpr const char* kNetSurvivalUnstableNote =
    "Net survival is unstable from %.2f %s of follow-up on: the expected survival of the cases still at risk is "
    "near 0, so that a few deaths weigh very much. Its values are shown as NA from there on.\r\n";
inline constexpr const char* kNetSurvivalUnstableRawNote =
    "Net survival is unstable from %.2f %s of follow-up on: the expected survival of the cases still at risk is "
    "near 0, so that a few deaths weigh very much. Its raw values are shown all the same.\r\n";
inline constexpr const char* kBatchNetSurvivalUnstable =
    "Net survival of group \"%s\" is unstable from %.2f %s of follow-up on.";
inline constexpr const char* kLifeTableRowWithoutNet =
    "%5d %5d %5d %5d    %7.1f  %-8.6f   %-8.6f     %-8.6f       NA              NA        NA        NA\r\n";
inline constexpr const char* kPeriodLifeTableRowWithoutNet =
    "%5d %5d %5d %5d       %5d %5d %5d     %5d %5d %5d   %7.1f  %-8.6f   %-8.6f     %-8.6f       NA              NA"
    "        NA        NA\r\n";
inline constexpr const char* kProductLimitRowWithoutNet =
    "%12.6f  %6.0f    %-8.6f    %-8.6f      %-8.6f       NA                NA         NA       NA\r\n";
inline constexpr const char* kProductLimitDayRowWithoutNet =
    "%8.0f      %6.0f    %-8.6f    %-8.6f      %-8.6f       NA                NA         NA       NA\r\n";
inline constexpr const char* kTrendRowWithoutNet =
    "   %4d           %7.1f         %7.1f      %-8.6f    %-8.6f          NA              NA        NA        NA\r\n";
inline constexpr const char* kNonYearTrend = "Analysis for non-year intervals under construction!";
inline constexpr const char* kTrendBelowOneYear =
    "The n of the n-year survival and the width of period must be at least 1 year!";

// ---------------------------------------------------------------------------
// Results report and export.

// Header lines.
inline constexpr const char* kEventCoding = "Coding of event of interest: %s";
inline constexpr const char* kSexCodingMale = "Coding of sex:               Male = %s";
inline constexpr const char* kSexCodingFemale = "Coding of sex:               Female = %s";
inline constexpr const char* kSexCodingBoth = "Coding of sex:               Male = %s, Female = %s";
inline constexpr const char* kReferenceRateTable = "Reference rate table used:   %s\n";

// Export headers of the result tables.
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

// The SMR/SIR of a group.
inline constexpr const char* kSmrComputationError = "Error occured during computation.\n";
inline constexpr const char* kSmrColumns =
    "\n observed   expected    SMR/SIR     %s CI limits\n"
    "  events     events                 lower      upper\n"
    " --------  ----------  ---------  ---------  ---------\n";
inline constexpr const char* kSmrPersonYears = "Person-years: %.2f\n";
inline constexpr const char* kSmrExportHeader =
    "Observed events;Expected events;SMR/SIR;CI lower limit;CI upper limit;Person-years\n";

// The age-standardised table after the group sections.
inline constexpr const char* kStandardisedHeading = "Age-standardised survival, ICSS %d\r\n";
inline constexpr const char* kStandardisedWeights =
    "Weights: 15-44 %.2f, 45-54 %.2f, 55-64 %.2f, 65-74 %.2f, 75+ %.2f\r\n";
inline constexpr const char* kStandardisedMethods = "Relative survival after Ederer II, net survival after Pohar-Perme\r\n";
// Brenner's weights: the methods line by technique, an age group without
// cases (in the report and on standard error), net survival that cannot be
// trusted (on standard error), the export's name.
inline constexpr const char* kBrennerMethodsLifeTable =
    "Brenner's individual weights: life table, Ederer II and Pohar-Perme of the weighted cases\r\n";
inline constexpr const char* kBrennerMethodsProductLimit =
    "Brenner's individual weights: product-limit, Ederer II and Pohar-Perme of the weighted cases\r\n";
inline constexpr const char* kBrennerWeightsUndefined =
    "An age group has no cases: Brenner's weights are undefined.\r\n";
inline constexpr const char* kBatchBrennerWeightsUndefined =
    "Age-standardised survival of group \"%s\": an age group has no cases, so that Brenner's weights are undefined.";
inline constexpr const char* kBatchBrennerNetUnstable =
    "Age-standardised net survival of group \"%s\" is unstable from %.2f %s of follow-up on.";
// The first field of the export's row of weights.
inline constexpr const char* kBrennerWeightsExportName = "ICSS %d, Brenner";
inline constexpr const char* kStandardisedUnderAge = "Cases under 15 left out: %s\r\n";
inline constexpr const char* kStandardisedColumns =
    "Interval    Observed          SE    Relative          SE         Net          SE\r\n";
inline constexpr const char* kStandardisedWeightsExportHeader =
    "Standardisation;Weight 15-44;Weight 45-54;Weight 55-64;Weight 65-74;Weight 75+\n";
inline constexpr const char* kStandardisedWeightsExportName = "ICSS %d";
inline constexpr const char* kStandardisedExportHeader =
    "Interval of follow-up;Cases under 15 left out;Cumulative survival;Standard error;"
    "Cumulative relative survival;Standard error;Cumulative net survival;Standard error\n";

// The comparison of groups, which follows the results report and has an
// export of its own.
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
// The quantiles as the report names them, 25 %, median and 75 %.
inline constexpr const char* kQuartileNames[] = {"25 %", "median", "75 %"};
inline constexpr const char* kAllCases = "all cases";
inline constexpr const char* kYears = "years";
inline constexpr const char* kMonths = "months";
inline constexpr const char* kWeeks = "weeks";
inline constexpr const char* kDays = "days";
inline constexpr const char* kLogRankName = "Log-rank";
inline constexpr const char* kPetoPetoName = "Peto-Peto";
inline constexpr const char* kTestExportHeader =
    "Test;Group;Cases;Observed;Expected;Chi-square;Degrees of freedom;p-value\n";
inline constexpr const char* kQuartileExportHeader = "Group;Quantile;Survival time;CI lower limit;CI upper limit\n";

// ---------------------------------------------------------------------------
// Charts.

// Title and survival axis of net survival.
inline constexpr const char* kNetSurvivalChartTitle = "Cumulative net survival";
inline constexpr const char* kNetTrendChartTitle = "%d-year net survival";
inline constexpr const char* kNetSurvivalAxis = "Net survival rate";
// The legend's confidence limits, by their level.
inline constexpr const char* kCiPrefix95 = "95% ";
inline constexpr const char* kCiPrefix99 = "99% ";
// The series of an age-standardised table.
inline constexpr const char* kStandardisedSeries = "ICSS %d";

// ---------------------------------------------------------------------------
// Files, memory and help.

// A results file that cannot be written: its path and the system's reason.
// Analysis files and the command line of a results window.
inline constexpr const char* kOpenAnalysisCommand = "Open &analysis ...";
inline constexpr const char* kSaveAnalysisCommand = "Save anal&ysis ...";
inline constexpr const char* kCopyCommandLineCommand = "Copy command &line";
inline constexpr const char* kOpenAnalysisTitle = "Open analysis";
inline constexpr const char* kSaveAnalysisTitle = "Save analysis";
inline constexpr const char* kAnalysisFileFilter = "Analysis files (*.kan)|*.kan|All files (*.*)|*.*||";
inline constexpr const char* kFileNotWritten = "The file %s could not be written: %s";
// A file that could not be written; %s is its full path.
inline constexpr const char* kCannotWriteFile = "Could not write file %s.";
// A window saved to a file: the file's path, then the title the analysis
// gave the window.
inline constexpr const char* kSavedFileTitle = "%s - %s";
// The comparison of groups saved beside a semicolon-separated export; %s is
// the path of its file.
inline constexpr const char* kComparisonSavedBeside = "The comparison of the groups was saved to a second file: %s";

// A command that ran out of memory.
inline constexpr const char* kNotEnoughMemory =
    "There is not enough memory to finish this command. The windows already open are unchanged.";

// Help topics that cannot be shown; %s is the full path of the help file.
inline constexpr const char* kHelpFileNotFound = "File %s (compiled HTML Help file) not found.";

// Database engine errors.
inline constexpr const char* kDaoErrorWithInfo = "%s   (%d)\n\n";
inline constexpr const char* kDaoErrorStatusOnly =
    "ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\nResultFromScode =%d\n";

// ---------------------------------------------------------------------------
// The desktop program.

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

// Data in which no case is valid.  %lld: the cases read; %s: why the first
// is not valid; then its line number and line, or its case number.
inline constexpr const char* kNoValidCaseInFile = "None of the %lld cases read is valid: %s, as in line %lld:\n%s";
inline constexpr const char* kNoValidCaseInTable = "None of the %lld cases read is valid: %s, as in case %lld.";
// %s: the role of the date and its date pattern.
inline constexpr const char* kDateDoesNotMatch = "the %s does not match the date pattern %s";
inline constexpr const char* kBeginDateRole = "date of beginning of follow-up";
inline constexpr const char* kEndDateRole = "date of end of follow-up";
inline constexpr const char* kBirthDateRole = "date of birth";

// The counts of a data window.
inline constexpr const char* kCaseCounts = "%lld cases read: %lld valid, %lld skipped";

// Opening a file by its path (the command line, the recent file list).
inline constexpr const char* kFileDoesNotExist = "The file %s does not exist.";

// Values the parameter dialogs refuse.
inline constexpr const char* kEnterAnInteger = "Please enter an integer.";
inline constexpr const char* kEnterClosingDate =
    "Please enter the common closing date as day.month.year, for instance 31.12.2004.";
inline constexpr const char* kEnterADate = "Please enter a date and/or time.";
// %s: the period of interest as typed and, outside, the observation window.
inline constexpr const char* kPeriodBeginsAfterEnd = "The period of interest %s to %s begins after it ends.";
inline constexpr const char* kPeriodOutsideWindow =
    "The period of interest %s to %s lies outside the observation period %s to %s.";

// A period analysis without a result row in any group; %s: the period.
inline constexpr const char* kPeriodWithoutCases = "No case is under follow-up in the period of interest %s to %s.";
inline constexpr const char* kPeriodWithoutEntries =
    "No case begins its follow-up in the period of interest %s to %s, so no case enters the first interval of "
    "the life table technique.";

// The status bar while a file is read and an analysis runs.
inline constexpr const char* kReadingFile = "Reading %s ...";
inline constexpr const char* kComputing = "Computing ...";
inline constexpr const char* kWritingReport = "Writing the report ...";

// The desktop program's command line, and its messages on standard error
// after kDesktopProgram.
inline constexpr const char* kDesktopProgram = "kalderon: ";
inline constexpr const char* kDesktopUnknownOption = "unknown option %s";
inline constexpr const char* kDesktopUsage =
    "usage: kalderon [FILE...]\n"
    "Opens each FILE as \"Open data file\" or, for a .cht file, \"Open life table chart\" would.\n"
    "  --version  print the version and where the help file and population tables were found\n"
    "  --help     print this text\n";

// Values the chart option dialogs refuse.
inline constexpr const char* kNotANumber = "Please enter a number.";
inline constexpr const char* kStepNotPositive = "The step must be greater than 0.";
inline constexpr const char* kMinNotBelowMax = "The minimum must be less than the maximum.";
inline constexpr const char* kAxisRangeTooLarge =
    "The step is too small for the range from minimum to maximum: an axis has at most 1000 ticks.";
inline constexpr const char* kOutOfRange = "Please enter a whole number from 1 to 999.";

// ---------------------------------------------------------------------------
// kalderon-batch: messages on standard error, each after kBatchProgram.

inline constexpr const char* kBatchProgram = "kalderon-batch: ";
// A command line that cannot be run; %s: what is wrong with it.
inline constexpr const char* kBatchSeeHelp = "%s (see --help)";
// %s: the input file.
inline constexpr const char* kBatchOutOfMemory = "%s: not enough memory for this analysis";
// %s: the input file and the reason.
inline constexpr const char* kBatchCannotProcess = "%s: the file cannot be processed (%s)";

// Choices made for the user, and choices that cannot be made.
inline constexpr const char* kBatchEventNeverSeen =
    "no valid case has the status code \"%s\" (status codes %s): every case is censored";
inline constexpr const char* kBatchEventTaken =
    "status codes %s: \"%s\" is taken as the event; --event CODE chooses another";
inline constexpr const char* kBatchMaleTaken =
    "sex codes %s: \"%s\" is taken as male; --male CODE or --female CODE chooses the coding";
// %s: the option (--male or --female), its code and the sex codes.
inline constexpr const char* kBatchNoSuchSexCode = "%s \"%s\" is no sex code of the valid cases (%s)";
inline constexpr const char* kBatchPeriodOutsideWindow =
    "the period of interest %s to %s lies outside the observation period %s to %s";

// The databases read.
// %s: the file name of the database and the places looked at.
inline constexpr const char* kBatchPopulationDbNotFound =
    "%s was not found (looked for %s); --population-db PATH names the database";
inline constexpr const char* kBatchDatabaseWithoutTables = "the database %s holds no table";
inline constexpr const char* kBatchNoTableToRead = "the database holds no table to read";
inline constexpr const char* kBatchChooseTable = "the database holds several tables, choose one with --table: %s";
// %s: the option, the field name it gives and the fields of the table.
inline constexpr const char* kBatchNoSuchField = "%s: the table has no field \"%s\" (fields: %s)";
inline constexpr const char* kBatchDateFieldParts = "%s needs DAY,MONTH,YEAR field names (\"-\" as the day: none): %s";

// Files written.
// %s: the path and the system's reason.
inline constexpr const char* kBatchCannotWriteBecause = "cannot write %s: %s";
inline constexpr const char* kBatchCannotWrite = "cannot write %s";
inline constexpr const char* kBatchCannotWriteStandardOutput = "cannot write the report to standard output";
inline constexpr const char* kBatchNoChart = "this analysis has no chart";
inline constexpr const char* kBatchRiskTableNeedsProductLimit = "--risk-table needs a product-limit chart: %s";

// ---------------------------------------------------------------------------
// Printing.

// %d: the page and the number of pages.
inline constexpr const char* kPrintedPageNumber = "Page %d of %d";
inline constexpr const char* kReportLinesWrapped =
    "The widest lines of this report do not fit the width of the page even in the smallest readable print: "
    "they are wrapped. Landscape orientation or narrower margins (File, Page setup) print every line in one piece.";

// The data check: dates that are calendar days but hardly those of a case.

// The earliest year, the present year, the oldest age, the cases found and
// the cases looked at.
inline constexpr const char* kImplausibleDates =
    "Data check: implausible dates (before %d, after %d, or an age below 0 or over %d years) in %lld of %lld "
    "cases:";
// The case number and what is implausible about it.
inline constexpr const char* kImplausibleCase = "case %d: %s";
inline constexpr const char* kImplausibleBegin = "begin of follow-up %s";
inline constexpr const char* kImplausibleEnd = "end of follow-up %s";
inline constexpr const char* kImplausibleBirth = "date of birth %s";
inline constexpr const char* kImplausibleAgeBelowZero = "born after the begin of follow-up";
inline constexpr const char* kImplausibleAgeAtEnd = "%d years old at the end of follow-up";
inline constexpr const char* kImplausibleMore = "and %lld more";

// A reader's fault after the file it concerns.
inline constexpr const char* kFaultInFile = "%s: %s";

// Close All and Exit: a window with unsaved content, named by its title.
inline constexpr const char* kUnsavedWindowQuestion =
    "The contents of the window \"%s\" have not been saved, save them now?";

// ---------------------------------------------------------------------------
// Text files whose first line names the fields.

// %d, %s: the field's number and the name it is given.
inline constexpr const char* kFieldWithoutName = "field %d of the first line has no name: it is called %s";
// %d, %s, %s: the field's number, its name and the name it is given.
inline constexpr const char* kFieldNameRepeated = "field %d of the first line repeats the name %s: it is called %s";
// %s: the file, the name asked for and the names of the first line.
inline constexpr const char* kNoFieldOfName = "%s: the first line names no field \"%s\" (fields: %s)";
// %s: the file.
inline constexpr const char* kSeparatorGuessNeedsFile =
    "%s: the separator can be guessed only in a file that can be read twice: name the separator";
// %d: how many lines.
inline constexpr const char* kUnclosedQuoteLines =
    "lines whose field in double quotes does not close on the line, kept as invalid cases: %d";

// The text import wizard's checks and the heading of its column of names.
inline constexpr const char* kFirstLineNamesCheck = "The first &line holds the field names";
inline constexpr const char* kQuotedFieldsCheck = "Fields in double &quotes may hold the separator";
inline constexpr const char* kFieldNameHeader = "Field name";

// ---------------------------------------------------------------------------
// The open dialog's file kinds.

// The data files of statistics packages: the patterns and the entry's name.
inline constexpr const char* kStatisticsFilePatterns = "*.dta;*.sav;*.zsav;*.por;*.sas7bdat;*.xpt";
inline constexpr const char* kStatisticsFileKind = "Stata, SPSS and SAS files (*.dta *.sav *.zsav *.por *.sas7bdat *.xpt)";

// ---------------------------------------------------------------------------
// Workbooks (.xlsx, .ods) that cannot be read.

inline constexpr const char* kWorkbookNotZip = "the file is no workbook: it is not a zip archive";
// %s: the part of the workbook (a member of its zip archive).
inline constexpr const char* kWorkbookPartMissing = "the workbook has no part %s";
// %s: the part and what the zip library says.
inline constexpr const char* kWorkbookPartUnreadable = "the part %s of the workbook cannot be read: %s";
// %s, %llu: the part and the size it claims.
inline constexpr const char* kWorkbookPartTooLarge =
    "the part %s of the workbook claims %llu bytes, more than a workbook part may hold (1 GiB): not read";
// %s, %llu, %llu: the part, its compressed size and the size it claims.
inline constexpr const char* kWorkbookPartExpandsTooMuch =
    "the part %s of the workbook claims to expand from %llu to %llu bytes, more than 1000 times: not read";
inline constexpr const char* kWorkbookPartOverrun = "the part %s of the workbook expands beyond the size it declares";
inline constexpr const char* kWorkbookPartDoctype =
    "the part %s of the workbook declares a document type: refused, no entity declarations are read";
// %s, %s, %lu: the part, what the XML parser says and the line.
inline constexpr const char* kWorkbookPartNotXml = "the part %s of the workbook is no well-formed XML: %s (line %lu)";
// What is wrong with a part that is no well-formed XML (the second %s above).
inline constexpr const char* kXmlInvalidToken = "not well-formed (invalid token)";
inline constexpr const char* kXmlUnclosedToken = "unclosed token";
inline constexpr const char* kXmlMismatchedTag = "mismatched tag";
inline constexpr const char* kXmlNoElement = "no element found";
inline constexpr const char* kXmlJunkAfterRoot = "junk after document element";
inline constexpr const char* kXmlSyntaxError = "syntax error";
inline constexpr const char* kXmlDuplicateAttribute = "duplicate attribute";
inline constexpr const char* kXmlUndefinedEntity = "undefined entity";
inline constexpr const char* kXmlBadCharacterReference = "reference to invalid character number";
inline constexpr const char* kXmlMisplacedDeclaration = "XML or text declaration not at start of entity";
inline constexpr const char* kXmlBadDeclaration = "XML declaration not well-formed";
inline constexpr const char* kXmlUnknownEncoding = "unknown encoding";
// %s: the sheet and the dimension or cell it names.
inline constexpr const char* kWorkbookSheetTooLarge =
    "the sheet %s claims more than 1,048,576 rows or 16,384 columns: %s";
// %s: the sheet.
inline constexpr const char* kWorkbookRepeatTooLarge =
    "the sheet %s repeats rows or cells beyond 1,048,576 rows or 16,384 columns";
inline constexpr const char* kWorkbookNoSpreadsheet = "the workbook's content.xml holds no spreadsheet";
inline constexpr const char* kWorkbookOutOfOrder = "the sheet %s gives rows or cells out of their order";

// ---------------------------------------------------------------------------
// Survival at chosen times, conditional survival and the restricted mean
// survival time, which follow the results report and have an export of
// their own.

inline constexpr const char* kNoChosenTime = "Survival at: give one or more times, such as 1, 3, 5, 10.";
// %g: the time.
inline constexpr const char* kChosenTimeNotPositive = "Survival at %g: a time must be greater than 0.";
inline constexpr const char* kChosenTimeNoIntervalEnd =
    "Survival at %g: a life table gives survival only at the end of its intervals, at whole time units.";
inline constexpr const char* kConditionalNoIntervalEnd =
    "Conditional survival given %g: a life table gives survival only at the end of its intervals, at whole "
    "time units.";
inline constexpr const char* kConditionalNotPositive =
    "Conditional survival given %g: the time must be greater than 0.";
inline constexpr const char* kRestrictionNotPositive =
    "Restricted mean survival time up to %g: the time must be greater than 0.";
// %g, %s, %g: tau, the group and its last observation time.
inline constexpr const char* kRestrictionAfterFollowUp =
    "Restricted mean survival time up to %g: the follow-up of group %s ends at %g.";
inline constexpr const char* kChosenTimesList = "The times must be numbers separated by commas, such as 1, 3, 5, 10.";

inline constexpr const char* kSurvivalAtTimesHeading =
    "Survival at chosen times\r\n------------------------\r\n\r\n";
// %s, %s: the unit, the confidence level.
inline constexpr const char* kSurvivalAtTimesTitle = "Time [%s]   %s CI limits\r\n";
inline constexpr const char* kObservedAtTimesColumns =
    "Group                     Time   At risk  Cum. surv.   Std. err.    CI lower    CI upper\r\n";
inline constexpr const char* kRelativeAtTimesColumns =
    "Group                     Time   At risk  Cum. surv.   Expected    Relative   Std. err.    CI lower    "
    "CI upper\r\n";
inline constexpr const char* kNetAtTimesColumns =
    "Group                     Time   At risk  Cum. surv.   Expected         Net   Std. err.    CI lower    "
    "CI upper\r\n";
inline constexpr const char* kConditionalHeading =
    "Conditional survival\r\n--------------------\r\n\r\n";
// %g, %s, %s: X, the unit, the confidence level.
inline constexpr const char* kConditionalTitle = "Given survival to %g %s: time since then [%s]   %s CI limits\r\n";
inline constexpr const char* kRestrictedMeanHeading =
    "Restricted mean survival time\r\n-----------------------------\r\n\r\n";
// %g, %s, %s: tau, its unit (also that of the means), the confidence level.
inline constexpr const char* kRestrictedMeanTitle = "Up to %g %s   %s CI limits\r\n";
inline constexpr const char* kRestrictedMeanColumns =
    "Group                      RMST   Std. err.    CI lower    CI upper\r\n";
inline constexpr const char* kRestrictedMeanContrastTitle = "Against group %s   %s CI limits\r\n";
inline constexpr const char* kRestrictedMeanContrastColumns =
    "Group                Measure        Value    CI lower    CI upper    p-value\r\n";
inline constexpr const char* kDifferenceName = "difference";
inline constexpr const char* kRatioName = "ratio";
inline constexpr const char* kNotAvailable = "NA";

inline constexpr const char* kSurvivalAtTimesExportHeader =
    "Table;Given;Group;Time;At risk;Cumulative survival;Expected survival;Relative survival;Standard error;"
    "CI lower limit;CI upper limit\n";
inline constexpr const char* kRestrictedMeanExportHeader =
    "Table;Tau;Group;Measure;Value;Standard error;CI lower limit;CI upper limit;p-value\n";

// The survival at chosen times saved beside a semicolon-separated export;
// %s is the path of the second file.
inline constexpr const char* kSummariesSavedBeside = "The survival at chosen times was saved to a second file: %s";

// ---------------------------------------------------------------------------
// Selecting and grouping the cases of a data set.

// The report line after the file line; %s: the conditions, "stage=1,2; age=15..99".
inline constexpr const char* kSelectionLine = "Selection: %s\r\n";
// %s: the field as named.
inline constexpr const char* kNoSuchCaseField = "there is no field \"%s\"";
inline constexpr const char* kAgeNeedsBirth = "\"%s\" needs the date of birth of the cases";
// %s: the condition as written.
inline constexpr const char* kConditionUnknownOperator =
    "the condition \"%s\" has an unknown operator (FIELD=V1,V2,..., FIELD!=V1,..., FIELD=FROM..TO or FIELD=)";
// %s, %s: the condition as written and the reason.
inline constexpr const char* kConditionRefused = "the condition \"%s\": %s";
inline constexpr const char* kRangeEndsNotRead = "the ends of the range read neither as numbers nor as dates DD.MM.YYYY";
// %s: the cut points as written.
inline constexpr const char* kCutsNotRead = "the cut points \"%s\" are not whole numbers in ascending order";
// %s: the cut points, "15,45,55,65,75".
inline constexpr const char* kAgeGroupsKey = "age groups %s";
inline constexpr const char* kBeginYearGroupsKey = "begin-year groups %s";
// The selection dialog's entries of a field's values: the value (with its
// label) and how many cases have it.
inline constexpr const char* kEmptyValue = "(empty)";
inline constexpr const char* kValueCount = "%s (%lld)";
inline constexpr const char* kLabelledValueCount = "%s = %s (%lld)";
// %s: the counts of the data window, %lld: the cases selected.
inline constexpr const char* kSelectedCount = "%s; %lld selected";
// %s: the conditions; %lld, %lld: the cases selected and read.
inline constexpr const char* kSelectionNote = "Only the selected cases are analysed: %s (%lld of %lld cases)";
// The dialogs of the data window's Data menu.
inline constexpr const char* kSelectCasesCommand = "&Select cases ...";
inline constexpr const char* kAllCasesCommand = "&All cases";
inline constexpr const char* kGroupCasesCommand = "&Group cases by ...";
inline constexpr const char* kSelectCasesTitle = "Select cases";
inline constexpr const char* kGroupCasesTitle = "Group cases by";
inline constexpr const char* kSelectingCasesTopic = "selecting_cases";
inline constexpr const char* kSelectCasesPrompt = "The cases analysed meet all of these conditions:";
inline constexpr const char* kNoneOfCheckedValues = "&None of the checked values";
inline constexpr const char* kNoValueChecked = "Check the values the cases are to have.";
// %s, %s: the lowest and the highest value of the field.
inline constexpr const char* kFieldRange = "Values from %s to %s; either end may stay empty.";
inline constexpr const char* kFileGroupsEntry = "the groups of the file";
inline constexpr const char* kNoSecondKeyEntry = "nothing more";
inline constexpr const char* kAgeBandsEntry = "age at beginning of follow-up, in bands";
inline constexpr const char* kBeginYearBandsEntry = "calendar period of beginning of follow-up";
inline constexpr const char* kGroupByAlone =
    "--group-by cannot be combined with --group N,M, --age-groups or --begin-year-groups";
inline constexpr const char* kFileGroupsNeedGroup = "--group-by: file-groups needs the grouping variable of --group";
inline constexpr const char* kTooManyGroupKeys =
    "cases are grouped by two fields or bands at most (--group N,M, --group N with bands, --age-groups, "
    "--begin-year-groups)";

// ---------------------------------------------------------------------------
// The data window.

// The View command that lists every column of the file, and its prompt.
inline constexpr const char* kAllColumnsCommand = "&All columns";
inline constexpr const char* kAllColumnsPrompt = "Lists every column of the data file after the columns of the cases";

// ---------------------------------------------------------------------------
// Competing risks: cumulative incidence and Gray's test.

inline constexpr const char* kCumulativeIncidenceName = "Cumulative incidence (competing risks)";
inline constexpr const char* kNoIncidenceCode = "Choose the status code of the event of interest!";
inline constexpr const char* kTooManyCauses = "At most 254 status codes can be competing events!";
inline constexpr const char* kIncidenceCodeTwice = "The status code %s is named twice!";
inline constexpr const char* kBatchCauseNeverSeen =
    "no valid case has the status code \"%s\" (status codes %s): its cumulative incidence stays 0";
inline constexpr const char* kCompetingCoding = "Coding of competing events:  %s";
inline constexpr const char* kNoCompetingCodes = "none";
inline constexpr const char* kIncidenceOfEvent = "Cumulative incidence of the event of interest (%s)\r\n";
inline constexpr const char* kIncidenceOfCompeting = "Cumulative incidence of the competing event %s\r\n";
inline constexpr const char* kIncidenceLevelLine =
    "                                cumulative   standard     %s CI limits\r\n";
// %s: the time column's heading, "time [years]" or "interval"; "time [months]"
// takes one of the spaces before "at risk".
inline constexpr const char* kIncidenceColumns =
    "%-13s at risk   events  incidence    error       lower     upper\r\n";
inline constexpr const char* kIncidenceRule =
    "------------  -------  -------  -----------  --------   --------  --------\r\n";
inline constexpr const char* kIncidenceIntervalColumn = "interval";
inline constexpr const char* kIncidenceTimeColumn = "time [%s]";
inline constexpr const char* kIncidenceExportHeader =
    "Cause;Time;At risk;Events;Cumulative incidence;Standard error;CI lower limit;CI upper limit\n";
inline constexpr const char* kIncidenceIntervalExportHeader =
    "Cause;Interval of follow-up;Entered;Events;Cumulative incidence;Standard error;CI lower limit;"
    "CI upper limit\n";
inline constexpr const char* kGrayTestHeading = "Gray's test of equal cumulative incidence in the groups\r\n";
inline constexpr const char* kGrayTestColumns = "cause                 chi-square    df      p-value\r\n";
inline constexpr const char* kGrayTestRule = "--------------------  ----------  ----  -----------\r\n";
inline constexpr const char* kGrayTestExportHeader = "Cause;Chi-square;Degrees of freedom;p-value\n";
inline constexpr const char* kCumulativeIncidenceChartTitle = "Cumulative incidence";
inline constexpr const char* kCumulativeIncidenceAxis = "Cumulative incidence";
inline constexpr const char* kGrayTestSingular = "the variance of the scores is singular; no test";

// ---------------------------------------------------------------------------
// Crude probabilities of death from the disease and from other causes.

inline constexpr const char* kCrudeCheck = "Crude &probabilities of death";
inline constexpr const char* kCrudeNeedsEdererII =
    "Crude probabilities of death need the life table with relative survival after Ederer II!";
inline constexpr const char* kCrudeHeading = "Crude probabilities of death (cumulative)\r\n";
inline constexpr const char* kCrudeMethod =
    "From the disease and from other causes, derived from relative survival after Ederer II\r\n";
inline constexpr const char* kCrudeLevelLine =
    "            from the    standard  from other    standard         all\r\n";
inline constexpr const char* kCrudeColumns =
    "interval     disease       error      causes       error      causes\r\n";
inline constexpr const char* kCrudeRule =
    "--------  ----------  ----------  ----------  ----------  ----------\r\n";
inline constexpr const char* kCrudeExportHeader =
    "Interval of follow-up;Crude probability of death from the disease;Standard error;"
    "Crude probability of death from other causes;Standard error;Probability of death from all causes\n";

// ---------------------------------------------------------------------------
// Analysis files: what made a result, to run it again.

// %s: the analysis file, then the reason.
inline constexpr const char* kAnalysisFileFault = "%s: %s";
inline constexpr const char* kAnalysisFileUnreadable = "the analysis file cannot be read";
inline constexpr const char* kAnalysisFileNotOne = "this is no analysis file";
inline constexpr const char* kAnalysisFileLaterVersion =
    "the analysis file is of version %ld, written by a later version of the program";
inline constexpr const char* kAnalysisFileUnknownKey = "unknown key \"%s\"";
inline constexpr const char* kAnalysisFileUnknownOption = "unknown option \"%s\"";
inline constexpr const char* kAnalysisFileBadValue = "the option \"%s\" has no text, list of texts or true as its value";
inline constexpr const char* kAnalysisFileNoData = "the analysis file names no data file";
inline constexpr const char* kAnalysisFileDataGone = "its data file %s is not there";
// Cox proportional hazards regression.

inline constexpr const char* kCoxName = "Cox regression";
inline constexpr const char* kCoxNoCovariate = "Choose at least one covariate!";
inline constexpr const char* kCoxFieldTwice = "The field \"%s\" is named twice!";
inline constexpr const char* kCoxNotACovariate = "\"%s\" is not a covariate of the model";
inline constexpr const char* kCoxBadReference = "the reference \"%s\" is not FIELD=LEVEL of a factor of the model";
inline constexpr const char* kCoxNoSuchLevel = "the factor \"%s\" has no level \"%s\" among the complete cases";
inline constexpr const char* kCoxNoCompleteCase = "No case has a value for every covariate!";
inline constexpr const char* kCoxNoEvent = "No complete case has the event: the model cannot be fitted!";
inline constexpr const char* kCoxCurvesByNotFactor =
    "the curves are drawn for the levels of a factor of the model or of the strata, not of \"%s\"";
inline constexpr const char* kCoxBadCurveValue = "the curve value \"%s\" is not FIELD=VALUE of a covariate of the model";
inline constexpr const char* kCoxCurveValueNotNumber = "the curve value \"%s\" is not a number";
inline constexpr const char* kCoxCurveValueOfCurvesBy =
    "the curves are drawn for each level of \"%s\": it takes no curve value";
inline constexpr const char* kCoxTiesLine = "Tied event times: %s\r\n";
inline constexpr const char* kCoxEfron = "Efron";
inline constexpr const char* kCoxBreslow = "Breslow";
inline constexpr const char* kCoxStrataLine = "Strata: %s (%d strata, each with its own baseline hazard)\r\n";
inline constexpr const char* kCoxCasesLine = "Cases in the model: %ld, with the event: %ld\r\n";
inline constexpr const char* kCoxIncompleteLine = "Cases left out for an empty or unreadable value: %ld\r\n";
inline constexpr const char* kCoxInvalidLine = "Invalid cases left out: %ld\r\n";
inline constexpr const char* kCoxIterationsLine = "Newton-Raphson iterations: %d\r\n";
inline constexpr const char* kCoxNotConverged =
    "The iterations did not converge within %d steps: the estimates are those of the last step.\r\n";
inline constexpr const char* kCoxInfinite =
    "The coefficient of %s runs away (monotone likelihood): it may be infinite and its standard error is "
    "not to be trusted.";
inline constexpr const char* kCoxCollinear =
    "%s is a combination of the columns before it: it is left out of the model (NA).";
inline constexpr const char* kCoxLevelLine =
    "                                                                         hazard      %s CI limits\r\n";
inline constexpr const char* kCoxColumns =
    "covariate               coefficient  std. error        z      p-value      ratio      lower      upper\r\n";
inline constexpr const char* kCoxRule =
    "----------------------  -----------  ----------  -------  -----------  ---------  ---------  ---------\r\n";
inline constexpr const char* kCoxTestsHeading = "Tests of the model\r\n";
inline constexpr const char* kCoxTestColumns = "test                    chi-square    df      p-value\r\n";
inline constexpr const char* kCoxTestRule = "----------------------  ----------  ----  -----------\r\n";
inline constexpr const char* kCoxLikelihoodRatio = "likelihood ratio";
inline constexpr const char* kCoxWald = "Wald";
inline constexpr const char* kCoxScore = "score (log-rank)";
inline constexpr const char* kCoxLoglikLine = "Log partial likelihood: %.6f (no covariates), %.6f (model)\r\n";
inline constexpr const char* kCoxConcordanceLine = "Concordance (Harrell's C): %.6f, standard error %.6f\r\n";
inline constexpr const char* kCoxZphHeading =
    "Test of proportional hazards (scaled Schoenfeld residuals against the Kaplan-Meier transform of time)\r\n";
inline constexpr const char* kCoxZphColumns = "covariate               chi-square    df      p-value\r\n";
inline constexpr const char* kCoxGlobal = "GLOBAL";
inline constexpr const char* kCoxCurvesHeading = "Survival curves of the model, the other covariates at their means\r\n";
inline constexpr const char* kCoxCurveLine = "Curve: %s\r\n";
inline constexpr const char* kCoxAllCases = "all cases";
inline constexpr const char* kCoxCurvesGivenHeading =
    "Survival curves of the model, the other covariates at their means but %s\r\n";
inline constexpr const char* kCoxCurveLevelLine = "%55s CI limits\r\n";
inline constexpr const char* kCoxCurveColumns = "%-13s   at risk   events   survival      lower      upper\r\n";
inline constexpr const char* kCoxCurveRule = "-------------  --------  -------  ---------  ---------  ---------\r\n";
inline constexpr const char* kCoxExportCoefficients =
    "Covariate;Coefficient;Hazard ratio;Standard error;z;p-value;CI lower limit;CI upper limit\n";
inline constexpr const char* kCoxExportTests = "Test;Chi-square;Degrees of freedom;p-value\n";
inline constexpr const char* kCoxExportModel = "Quantity;Value\n";
inline constexpr const char* kCoxExportZph = "Proportional hazards;Chi-square;Degrees of freedom;p-value\n";
inline constexpr const char* kCoxExportCurveValues = "Covariate of the curves;Value\n";
inline constexpr const char* kCoxExportCurves =
    "Curve;Time;At risk;Events;Survival;Standard error of the cumulative hazard;CI lower limit;CI upper limit\n";

// ---------------------------------------------------------------------------
// Results saved as a workbook.

// The first sheet: the report's header lines, the facts of each group and
// what every other sheet holds.
inline constexpr const char* kWorkbookFirstSheet = "Report";
inline constexpr const char* kWorkbookCreated = "Created";
inline constexpr const char* kWorkbookSheetsHeading = "Sheets";
// %s: the sheet's name; %s: what it holds; %ld: its rows below the headings.
inline constexpr const char* kWorkbookSheetLine = "%s: %s, %ld rows";
// %s, %s: the sheet a table goes on from and the sheet it continues on.
inline constexpr const char* kWorkbookContinued = "The table of sheet \"%s\" continues on sheet \"%s\".";
// The name of the sheet of a table without groups; of a group, "Group" and its code.
inline constexpr const char* kWorkbookAllCases = "All cases";
inline constexpr const char* kWorkbookGroupSheet = "Group %s";
// The notes on the cells printed as NA in the report and the export.
inline constexpr const char* kWorkbookNoStandardError =
    "NA: no standard error and no confidence limits here (too few at risk, or the estimate is 0 or 1).";
inline constexpr const char* kWorkbookNoNetSurvival =
    "NA: the relative (net) survival is not shown here; the report's notes under the group's table say why.";
inline constexpr const char* kWorkbookNotAvailable = "NA: not available here; the report says why.";
// The note of a column's empty cells when the cells themselves are too many
// to note: the sheet, the column's heading, the note.
inline constexpr const char* kWorkbookColumnNote = "%s, column \"%s\": the further empty cells are NA. %s";
// Why a workbook could not be written, beyond the system's own reasons.
// %s: the part of the workbook (a sheet's file).
inline constexpr const char* kWorkbookPartOver4GiB = "the part %s of the workbook would hold 4 GiB or more";
inline constexpr const char* kWorkbookDeflateFailed = "the workbook's parts could not be compressed";
// %s: the sheet written to after later ones.
inline constexpr const char* kWorkbookWrittenOutOfOrder = "the sheet %s was written after later sheets or out of its order";
// The sheets of the tables after the group sections, named after their export header.
inline constexpr const char* kWorkbookStandardWeights = "Standard weights";
inline constexpr const char* kWorkbookStandardised = "Age-standardised";
inline constexpr const char* kWorkbookTests = "Comparison tests";
inline constexpr const char* kWorkbookQuartiles = "Quartiles";
inline constexpr const char* kWorkbookCrude = "Crude probabilities";
inline constexpr const char* kWorkbookGrayTests = "Gray tests";
inline constexpr const char* kWorkbookCoxCoefficients = "Cox coefficients";
inline constexpr const char* kWorkbookCoxTests = "Cox tests";
inline constexpr const char* kWorkbookCoxModel = "Cox model";
inline constexpr const char* kWorkbookCoxZph = "Proportional hazards";
inline constexpr const char* kWorkbookCoxCurves = "Cox curves";
inline constexpr const char* kWorkbookCoxCurveValues = "Covariate of the curves";
inline constexpr const char* kWorkbookSurvivalAtTimes = "Survival at times";
inline constexpr const char* kWorkbookRestrictedMean = "Restricted mean";
// The filter of the results window's Save as for a workbook.
inline constexpr const char* kWorkbookFilter = "Excel workbook (*.xlsx)";

}  // namespace kalderon::text
