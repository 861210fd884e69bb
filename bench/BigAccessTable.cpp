#include "BigAccessTable.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mdbtools.h>
#include <random>
#include <vector>

namespace kalderon::bench {
namespace {

constexpr size_t kPage = 4096;
constexpr int kRowCountOffset = 12;     // Jet 4 data pages
constexpr int kNumRowsOffset = 16;      // Jet 4 table definition
constexpr int kUsageMapOffset = 55;
constexpr size_t kPagesPerMapPage = (kPage - 4) * 8;

std::uint32_t Get32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t Get16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void Put32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

struct Layout {
    std::uint32_t tablePage = 0;
    int caseNumberOffset = -1;     // fixed offset of a long integer column
    std::vector<int> dateOffsets;  // fixed offsets of the date columns
};

bool ReadLayout(const std::string& path, const std::string& table, Layout& layout)
{
    MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!mdb || !IS_JET4(mdb)) return false;
    MdbTableDef* def = mdb_read_table_by_name(mdb, const_cast<char*>(table.c_str()), MDB_TABLE);
    if (def && mdb_read_columns(def)) {
        layout.tablePage = static_cast<std::uint32_t>(def->entry->table_pg);
        for (unsigned i = 0; i < def->num_cols; ++i) {
            const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
            if (col->col_type == MDB_DATETIME) layout.dateOffsets.push_back(col->fixed_offset);
            if (col->col_type == MDB_LONGINT && layout.caseNumberOffset < 0) layout.caseNumberOffset = col->fixed_offset;
        }
    }
    if (def) mdb_free_tabledef(def);
    mdb_close(mdb);
    return layout.tablePage != 0;
}

// Start and end (exclusive) of row `row` of a data page.
void RowBounds(const unsigned char* page, int row, int& start, int& end)
{
    start = Get16(page + kRowCountOffset + 2 + 2 * row) & 0x1FFF;
    end = row == 0 ? static_cast<int>(kPage) : Get16(page + kRowCountOffset + 2 * row) & 0x1FFF;
}

}  // namespace

long MakeBigAccessTable(const std::string& source, const std::string& target, const std::string& table,
                        long minimumRows)
{
    Layout layout;
    if (!ReadLayout(source, table, layout)) return 0;
    std::ifstream in(source, std::ios::binary);
    std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t pageCount = file.size() / kPage;

    std::vector<size_t> dataPages;
    long rowsPerCopy = 0;
    for (size_t p = 0; p < pageCount; ++p) {
        const unsigned char* page = &file[p * kPage];
        if (page[0] != 0x01 || Get32(page + 4) != layout.tablePage) continue;
        dataPages.push_back(p);
        rowsPerCopy += Get16(page + kRowCountOffset);
    }
    if (dataPages.empty() || rowsPerCopy == 0) return 0;

    std::mt19937 random(20240501);
    std::uniform_int_distribution<int> shiftDays(-2000, 2000);
    const long copies = (minimumRows + rowsPerCopy - 1) / rowsPerCopy;
    std::vector<size_t> newPages;
    for (long c = 0; c < copies; ++c) {
        for (size_t p : dataPages) {
            std::vector<unsigned char> page(file.begin() + p * kPage, file.begin() + (p + 1) * kPage);
            const int rows = Get16(&page[kRowCountOffset]);
            for (int r = 0; r < rows; ++r) {
                int start, end;
                RowBounds(page.data(), r, start, end);
                unsigned char* fixed = &page[start + 2];
                if (layout.caseNumberOffset >= 0)
                    Put32(fixed + layout.caseNumberOffset, Get32(fixed + layout.caseNumberOffset) + c * rowsPerCopy);
                const int shift = shiftDays(random);
                for (int offset : layout.dateOffsets) {
                    double day;
                    std::memcpy(&day, fixed + offset, sizeof day);
                    if (day != 0.0) day += shift;
                    std::memcpy(fixed + offset, &day, sizeof day);
                }
            }
            newPages.push_back(file.size() / kPage);
            file.insert(file.end(), page.begin(), page.end());
        }
    }

    // Page map: one map page per range of kPagesPerMapPage pages.
    const size_t lastPage = newPages.back();
    std::vector<std::uint32_t> mapPages;
    for (size_t range = 0; range * kPagesPerMapPage <= lastPage; ++range) {
        std::vector<unsigned char> map(kPage, 0);
        map[0] = 0x05, map[1] = 0x01;
        for (size_t p : newPages)
            if (p / kPagesPerMapPage == range) map[4 + (p % kPagesPerMapPage) / 8] |= 1 << (p % 8);
        mapPages.push_back(static_cast<std::uint32_t>(file.size() / kPage));
        file.insert(file.end(), map.begin(), map.end());
    }

    unsigned char* tdef = &file[layout.tablePage * kPage];
    Put32(tdef + kNumRowsOffset, static_cast<std::uint32_t>(copies * rowsPerCopy));
    const std::uint32_t mapRow = Get32(tdef + kUsageMapOffset);
    unsigned char* mapRowPage = &file[(mapRow >> 8) * kPage];
    int start, end;
    RowBounds(mapRowPage, mapRow & 0xFF, start, end);
    if (end - start < static_cast<int>(1 + 4 * mapPages.size())) return 0;
    std::memset(mapRowPage + start, 0, end - start);
    mapRowPage[start] = 0x01;
    for (size_t i = 0; i < mapPages.size(); ++i) Put32(mapRowPage + start + 1 + 4 * i, mapPages[i]);

    std::ofstream(target, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
    return copies * rowsPerCopy;
}

}  // namespace kalderon::bench
