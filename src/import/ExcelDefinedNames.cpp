#include "import/ExcelDefinedNames.h"

#include <cstdint>

#include "import/BiffRecords.h"
#include "import/CompoundFile.h"
#include "import/LittleEndian.h"
#include "import/Utf16Text.h"

namespace kalderon {
namespace {

constexpr std::uint16_t kNameHidden = 0x0001, kNameFunction = 0x0002, kNameCommand = 0x0004, kNameBuiltIn = 0x0020;
constexpr unsigned char kTokenArea3d = 0x1B, kTokenRef3d = 0x1A;  // without the class bits


struct SheetRef {
    std::uint16_t supBook, firstSheet, lastSheet;
};

// A BIFF8 string without its length field: option byte, then `count`
// characters of one byte (compressed) or two bytes each.
bool ReadBiffString(const unsigned char*& p, const unsigned char* end, unsigned count, std::string& out)
{
    if (p >= end) return false;
    const bool wide = (*p++ & 0x01) != 0;
    const size_t bytes = wide ? 2 * size_t(count) : count;
    if (size_t(end - p) < bytes) return false;
    std::vector<std::uint16_t> units(count);
    for (unsigned i = 0; i < count; ++i) units[i] = wide ? Le16(p + 2 * i) : p[i];
    out.clear();
    AppendUtf16AsUtf8(out, units.data(), units.size());
    p += bytes;
    return true;
}

struct PendingName {
    std::string name;
    std::uint16_t refIndex;
    unsigned firstRow, lastRow, firstColumn, lastColumn;
};

// The area a name's formula refers to, when it is one 3-D area or cell.
bool ReadArea(const unsigned char* p, size_t size, PendingName& n)
{
    const unsigned char token = p[0] & 0x9F;  // strip the token class bits
    if (token == kTokenArea3d && size == 11) {
        n.refIndex = Le16(p + 1);
        n.firstRow = Le16(p + 3), n.lastRow = Le16(p + 5);
        n.firstColumn = Le16(p + 7) & 0x3FFF, n.lastColumn = Le16(p + 9) & 0x3FFF;
        return true;
    }
    if (token == kTokenRef3d && size == 7) {
        n.refIndex = Le16(p + 1);
        n.firstRow = n.lastRow = Le16(p + 3);
        n.firstColumn = n.lastColumn = Le16(p + 5) & 0x3FFF;
        return true;
    }
    return false;
}

}  // namespace

std::vector<ExcelNamedRange> ReadExcelNamedRanges(const std::string& path)
{
    const auto stream = ReadCompoundStream(path, "Workbook");
    if (!stream) return {};
    const unsigned char* data = stream->data();
    const size_t size = stream->size();

    std::vector<std::string> sheets;
    std::vector<SheetRef> refs;
    int supBookCount = 0, internalSupBook = -1;
    std::vector<PendingName> names;
    bool first = true;
    for (size_t at = 0; at + 4 <= size;) {
        const std::uint16_t id = Le16(data + at), length = Le16(data + at + 2);
        const unsigned char* body = data + at + 4;
        const unsigned char* end = body + length;
        if (size_t(end - data) > size) break;
        at += 4 + length;
        if (first) {  // the workbook globals must be BIFF8
            if (length < 2 || Le16(body) != kBiff8) return {};
            first = false;
            continue;
        }
        if (id == kBiffEof) break;
        if (id == kBiffBoundSheet && length >= 8) {
            const unsigned char* p = body + 7;
            std::string sheet;
            if (!ReadBiffString(p, end, body[6], sheet)) return {};
            sheets.push_back(sheet);
        } else if (id == kBiffSupBook && length >= 4) {
            if (body[2] == 0x01 && body[3] == 0x04) internalSupBook = supBookCount;
            ++supBookCount;
        } else if (id == kBiffExternSheet && length >= 2) {
            const unsigned count = Le16(body);
            for (unsigned i = 0; i < count && 2 + 6 * (i + 1) <= length; ++i) {
                const unsigned char* r = body + 2 + 6 * i;
                refs.push_back({Le16(r), Le16(r + 2), Le16(r + 4)});
            }
        } else if (id == kBiffName && length >= 14) {
            const std::uint16_t flags = Le16(body);
            const unsigned nameLength = body[3];
            const unsigned formulaLength = Le16(body + 4);
            const unsigned localSheet = Le16(body + 8);
            if (flags & (kNameHidden | kNameFunction | kNameCommand | kNameBuiltIn) || localSheet != 0) continue;
            const unsigned char* p = body + 14;
            PendingName n{};
            if (!ReadBiffString(p, end, nameLength, n.name) || size_t(end - p) < formulaLength || formulaLength == 0)
                continue;
            if (ReadArea(p, formulaLength, n)) names.push_back(std::move(n));
        }
    }

    std::vector<ExcelNamedRange> ranges;
    for (const PendingName& n : names) {
        if (n.refIndex >= refs.size()) continue;
        const SheetRef& ref = refs[n.refIndex];
        if (ref.supBook != internalSupBook || ref.firstSheet != ref.lastSheet || ref.firstSheet >= sheets.size()) continue;
        ranges.push_back({n.name, sheets[ref.firstSheet], n.firstRow, n.lastRow, n.firstColumn, n.lastColumn});
    }
    return ranges;
}

}  // namespace kalderon
