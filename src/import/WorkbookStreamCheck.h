#pragma once

#include <string>

#include "import/ReaderFault.h"

namespace kalderon {

// Whether the workbook stream of an Excel file is sound enough for the
// workbook library.  The library follows record lengths, declared sheet
// sizes and text lengths without checking them, and its own reading of the
// container is laxer than ours, so a workbook that fails here is not handed
// to it.  The faults: kDaoNotExpectedFormat when there is no workbook stream
// we can find; kDaoDamagedFile for a record longer than BIFF allows or than
// the stream, a sheet that declares more rows or columns than a sheet has,
// and a text whose length runs past the end of its record.
ReadResult<void> CheckWorkbookStream(const std::string& path);

}  // namespace kalderon
