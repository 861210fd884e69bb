#pragma once

#include <string>

namespace kalderon {

// What the workbook stream of an Excel file shows before the workbook
// library reads it.  The library follows record lengths, declared sheet
// sizes and text lengths without checking them, and its own reading of the
// container is laxer than ours, so a workbook that fails here is not handed
// to it.
enum class WorkbookStreamCheck {
    kSound,
    kNoStream,       // no workbook stream we can find
    kRecordPastEnd,  // a record longer than BIFF allows or than the stream
    kSheetTooLarge,  // a sheet declares more rows or columns than a sheet has
    kTextPastRecord, // a text's length runs past the end of its record
};

WorkbookStreamCheck CheckWorkbookStream(const std::string& path);

}  // namespace kalderon
