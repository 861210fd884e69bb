#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace kalderon {

// The records of a 16-bit Windows metafile (no placeable header), collected
// in memory.  Parameters are 16-bit words in file order; created objects
// take the lowest free slot of the object table, as a player fills it.
class MetafileWriter {
public:
    // Record function numbers.
    enum Function : std::uint16_t {
        kSetBkMode = 0x0102,
        kSetMapMode = 0x0103,
        kSaveDC = 0x001E,
        kRestoreDC = 0x0127,
        kSetTextColor = 0x0209,
        kSetWindowOrg = 0x020B,
        kSetWindowExt = 0x020C,
        kSetViewportOrg = 0x020D,
        kSetViewportExt = 0x020E,
        kSelectObject = 0x012D,
        kSetTextAlign = 0x012E,
        kDeleteObject = 0x01F0,
        kLineTo = 0x0213,
        kMoveTo = 0x0214,
        kIntersectClipRect = 0x0416,
        kEllipse = 0x0418,
        kRectangle = 0x041B,
        kPolygon = 0x0324,
        kTextOut = 0x0521,
        kCreatePenIndirect = 0x02FA,
        kCreateFontIndirect = 0x02FB,
        kCreateBrushIndirect = 0x02FC,
    };

    void Record(std::uint16_t function, std::initializer_list<int> words);
    // Parameters already laid out as bytes (an even count).
    void Record(std::uint16_t function, const std::string& parameters);

    // Writes the creation record of an object and returns its slot.
    int CreateObject(std::uint16_t function, const std::string& parameters);
    void DeleteObject(int slot);

    // The whole file: header, records, end record.
    std::string Bytes() const;

    // Parameter bytes: little-endian words and double words.
    static void AppendWord(std::string& out, int value);
    static void AppendDword(std::string& out, std::uint32_t value);

private:
    std::string records_;
    std::uint32_t largestRecord_ = 3;  // in words; the end record
    std::vector<bool> slots_;
};

}  // namespace kalderon
