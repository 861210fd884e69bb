#pragma once

#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

// Whether a path names a data file of a statistics package: Stata (.dta),
// SAS (.sas7bdat, .xpt) or SPSS (.sav, .zsav, .por), any letter case.
bool IsStatisticsFile(const std::string& path);

// A statistics package's data file as a database of one table, named after
// the file without its extension, whose fields are the file's variables in
// file order.  Numbers are 64-bit reals; numbers with a date or date-time
// display format are date values (see StatisticsDateFormats.h); texts are
// UTF-8 texts, converted from the file's encoding.  Missing values of every
// kind (system, user-defined, Stata's .a to .z, SAS special missings) and
// empty texts are null.  The value labels of a field map the text of a value
// to its label.  The rows are read by a thread of their own while the caller
// takes them.
DatabaseResult OpenStatisticsDatabase(const std::string& path);

}  // namespace kalderon
