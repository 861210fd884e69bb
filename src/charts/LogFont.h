#pragma once

#include <cstdint>
#include <string>

namespace kalderon {

// A font description laid out as the 60-byte record chart files store:
// five 32-bit numbers, eight bytes and a zero-terminated face name.
struct LogFont {
    static constexpr int kFaceSize = 32;

    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[kFaceSize] = {};

    // Height, weight and face name; every other field 0.
    static LogFont Make(std::int32_t height, std::int32_t weight, const char* face);

    std::string FaceName() const;
    // Keeps at most 31 bytes so that the name stays terminated.
    void SetFaceName(const std::string& face);

    bool operator==(const LogFont&) const = default;
};

}  // namespace kalderon
