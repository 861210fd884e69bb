#include "import/WorkbookStreamCheck.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "import/BiffRecords.h"
#include "import/CompoundFile.h"
#include "import/DatabaseEngine.h"
#include "import/LittleEndian.h"

namespace kalderon {
namespace {

constexpr std::size_t kLongestRecord = 8224;

// Whether a DIMENSION record (first row, row after the last, first column,
// column after the last) stays inside the 65,536 rows and 256 columns of a
// worksheet.  The library sizes its cell grid from it and places cells in
// the grid by it.
bool DimensionFitsASheet(const unsigned char* body, std::size_t length, bool biff8)
{
    if (!biff8) return length >= 8;  // older versions: 16-bit rows
    if (length < 12) return false;
    const std::uint32_t firstRow = Le32(body), endRow = Le32(body + 4);
    const std::uint16_t firstColumn = Le16(body + 8), endColumn = Le16(body + 10);
    return firstRow <= endRow && endRow <= 65536 && firstColumn <= endColumn && endColumn <= 256;
}

// Whether a BIFF8 text of `characters` characters whose option byte is at
// `options` fits the record: one byte a character, two when the option's
// lowest bit says so.
bool TextFits(std::size_t options, std::size_t characters, std::size_t length, const unsigned char* body)
{
    if (options >= length) return characters == 0 && options == length;
    const std::size_t width = (body[options] & 0x01) ? 2 : 1;
    return options + 1 + characters * width <= length;
}

// Whether the texts of the records the library reads them from lie inside
// their records (sheet names, number formats and cell labels of BIFF8).
bool TextsFit(std::uint16_t id, const unsigned char* body, std::size_t length)
{
    switch (id) {
    case kBiffBoundSheet: return length >= 7 && TextFits(7, body[6], length, body);
    case kBiffFormat: return length >= 4 && TextFits(4, Le16(body + 2), length, body);
    case kBiffLabel: return length >= 8 && TextFits(8, Le16(body + 6), length, body);
    default: return true;
    }
}

}  // namespace

ReadResult<void> CheckWorkbookStream(const std::string& path)
{
    const auto damaged = [&path](const std::string& what) {
        return ReaderFault::Engine(kDaoDamagedFile, "The workbook '" + path + "' is damaged: " + what + ".");
    };
    auto stream = ReadCompoundStream(path, "Workbook");
    if (!stream) stream = ReadCompoundStream(path, "Book");
    if (!stream) return stream.fault();
    const std::vector<unsigned char>& bytes = *stream;
    bool biff8 = false;
    for (std::size_t at = 0; at + 4 <= bytes.size();) {
        const std::uint16_t id = Le16(&bytes[at]);
        const std::size_t length = Le16(&bytes[at + 2]);
        if (length > kLongestRecord || length > bytes.size() - at - 4) return damaged("a record runs past its end");
        const unsigned char* body = &bytes[at + 4];
        if (at == 0) biff8 = id == kBiffBof && length >= 2 && Le16(body) == kBiff8;
        if (id == kBiffDimension && !DimensionFitsASheet(body, length, biff8))
            return damaged("a sheet claims more rows or columns than a sheet holds");
        if (biff8 && !TextsFit(id, body, length)) return damaged("a text runs past the end of its record");
        at += 4 + length;
    }
    return {};
}

}  // namespace kalderon
