#include "import/Utf16Text.h"

#include <vector>

namespace kalderon {
namespace {

void AppendCodePoint(std::string& out, std::uint32_t cp)
{
    char bytes[4];
    out.append(bytes, EncodeUtf8(cp, bytes));
}

}  // namespace

size_t EncodeUtf8(std::uint32_t cp, char out[4])
{
    const auto byte = [](std::uint32_t value) { return static_cast<char>(value); };
    if (cp < 0x80) {
        out[0] = byte(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = byte(0xC0 | (cp >> 6));
        out[1] = byte(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = byte(0xE0 | (cp >> 12));
        out[1] = byte(0x80 | ((cp >> 6) & 0x3F));
        out[2] = byte(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = byte(0xF0 | (cp >> 18));
    out[1] = byte(0x80 | ((cp >> 12) & 0x3F));
    out[2] = byte(0x80 | ((cp >> 6) & 0x3F));
    out[3] = byte(0x80 | (cp & 0x3F));
    return 4;
}

void AppendUtf16AsUtf8(std::string& out, const std::uint16_t* units, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const std::uint32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            AppendCodePoint(out, 0xFFFD);
        } else {
            AppendCodePoint(out, u);
        }
    }
}

std::string Utf16LeToUtf8(const unsigned char* bytes, size_t size)
{
    std::vector<std::uint16_t> units(size / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    std::string out;
    out.reserve(units.size());
    AppendUtf16AsUtf8(out, units.data(), units.size());
    return out;
}

}  // namespace kalderon
