#include "charts/ScaledFont.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace kalderon {
namespace {

// Reads the numbers of the font text the way a scanf format of numbers
// separated by ";" would: skips blanks before a number, stops at the first
// number or separator that does not match.
class FontTextScanner {
public:
    explicit FontTextScanner(const std::string& text) : text_(text) {}

    template <typename Number>
    bool Read(Number& value)
    {
        if (failed_) return false;
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '+') ++pos_;
        Number parsed{};
        auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), parsed);
        if (ec != std::errc()) return Fail();
        pos_ = static_cast<std::size_t>(end - text_.data());
        if (pos_ >= text_.size() || text_[pos_] != ';') {
            value = parsed;
            failed_ = true;  // the number counts, the fields after it do not
            return true;
        }
        ++pos_;
        value = parsed;
        return true;
    }

private:
    bool Fail()
    {
        failed_ = true;
        return false;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

void ReadByte(FontTextScanner& scanner, std::uint8_t& field)
{
    int value = 0;
    if (scanner.Read(value)) field = static_cast<std::uint8_t>(value);
}

void ReadLong(FontTextScanner& scanner, std::int32_t& field)
{
    long value = 0;
    if (scanner.Read(value)) field = static_cast<std::int32_t>(value);
}

}  // namespace

const LogFont& ScaledFont::ScaleTo(int drawingHeight)
{
    // A divisor below 1 (only a damaged file holds one) would make the font
    // taller than the drawing, one of 0 or less would divide by zero.
    const float height = heightDivisor >= 1.0f ? static_cast<float>(drawingHeight) / heightDivisor
                                               : static_cast<float>(drawingHeight);
    logFont.lfHeight = -static_cast<std::int32_t>(height);
    return logFont;
}

void ScaledFont::TakeOver(const LogFont& chosen)
{
    if (chosen.lfHeight != 0) {
        heightDivisor = static_cast<float>(logFont.lfHeight) * heightDivisor / static_cast<float>(chosen.lfHeight);
    }
    logFont = chosen;
}

std::string ScaledFont::ToProfileString() const
{
    const LogFont& f = logFont;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%g;%ld;%ld;%ld;%ld;%ld;%d;%d;%d;%d;%d;%d;%d;%d;%s",
                  static_cast<double>(heightDivisor), static_cast<long>(f.lfHeight), static_cast<long>(f.lfWidth),
                  static_cast<long>(f.lfEscapement), static_cast<long>(f.lfOrientation),
                  static_cast<long>(f.lfWeight), f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet,
                  f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily, f.FaceName().c_str());
    return buffer;
}

void ScaledFont::FromProfileString(const std::string& text)
{
    FontTextScanner scanner(text);
    float divisor = 0.0f;
    if (scanner.Read(divisor)) heightDivisor = divisor;
    LogFont& f = logFont;
    for (std::int32_t* field : {&f.lfHeight, &f.lfWidth, &f.lfEscapement, &f.lfOrientation, &f.lfWeight}) {
        ReadLong(scanner, *field);
    }
    for (std::uint8_t* field : {&f.lfItalic, &f.lfUnderline, &f.lfStrikeOut, &f.lfCharSet, &f.lfOutPrecision,
                                &f.lfClipPrecision, &f.lfQuality, &f.lfPitchAndFamily}) {
        ReadByte(scanner, *field);
    }

    // The face name is everything after the fourteenth separator.
    std::size_t pos = 0;
    for (int separators = 0; separators < 14; ++separators) {
        pos = text.find(';', pos);
        if (pos == std::string::npos) return;
        ++pos;
    }
    f.SetFaceName(text.substr(pos));
}

}  // namespace kalderon
