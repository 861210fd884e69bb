#include "charts/ByteStream.h"

#include <bit>
#include <cstring>

namespace kalderon {
namespace {

static_assert(std::endian::native == std::endian::little, "chart files are read and written little-endian");

}  // namespace

void ByteWriter::Raw(const void* data, std::size_t size)
{
    bytes_.append(static_cast<const char*>(data), size);
    if (sink_ && bytes_.size() >= kPieceBytes) Flush();
}

void ByteWriter::Flush()
{
    if (!sink_ || bytes_.empty()) return;
    sink_(bytes_);
    bytes_.clear();
}

void ByteWriter::Int32(std::int32_t value) { Raw(&value, sizeof value); }
void ByteWriter::Float(float value) { Raw(&value, sizeof value); }
void ByteWriter::Double(double value) { Raw(&value, sizeof value); }

void ByteWriter::String(const std::string& text)
{
    Int32(static_cast<std::int32_t>(text.size()));
    Raw(text.data(), text.size());
}

void ByteWriter::Rect(const ChartRect& rect)
{
    for (std::int32_t v : {rect.left, rect.top, rect.right, rect.bottom}) Int32(v);
}

void ByteWriter::Font(const LogFont& font)
{
    for (std::int32_t v : {font.lfHeight, font.lfWidth, font.lfEscapement, font.lfOrientation, font.lfWeight}) {
        Int32(v);
    }
    for (std::uint8_t v : {font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision,
                           font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily}) {
        Raw(&v, 1);
    }
    Raw(font.lfFaceName, LogFont::kFaceSize);
}

bool ByteReader::Raw(void* data, std::size_t size)
{
    if (!ok_ || remaining() < size) return Fail();
    std::memcpy(data, bytes_.data() + pos_, size);
    pos_ += size;
    return true;
}

bool ByteReader::Int32(std::int32_t& value) { return Raw(&value, sizeof value); }
bool ByteReader::UInt32(std::uint32_t& value) { return Raw(&value, sizeof value); }
bool ByteReader::Float(float& value) { return Raw(&value, sizeof value); }
bool ByteReader::Double(double& value) { return Raw(&value, sizeof value); }

bool ByteReader::String(std::string& text)
{
    std::int32_t count = 0;
    if (!Int32(count)) return false;
    if (count <= 0) {
        text.clear();
        return true;
    }
    if (remaining() < static_cast<std::size_t>(count)) return Fail();
    text.assign(bytes_.data() + pos_, static_cast<std::size_t>(count));
    pos_ += static_cast<std::size_t>(count);
    return true;
}

bool ByteReader::Rect(ChartRect& rect)
{
    ChartRect read;
    if (!Int32(read.left) || !Int32(read.top) || !Int32(read.right) || !Int32(read.bottom)) return false;
    rect = read;
    return true;
}

bool ByteReader::Font(LogFont& font)
{
    LogFont read;
    for (std::int32_t* v : {&read.lfHeight, &read.lfWidth, &read.lfEscapement, &read.lfOrientation, &read.lfWeight}) {
        if (!Int32(*v)) return false;
    }
    for (std::uint8_t* v : {&read.lfItalic, &read.lfUnderline, &read.lfStrikeOut, &read.lfCharSet,
                            &read.lfOutPrecision, &read.lfClipPrecision, &read.lfQuality, &read.lfPitchAndFamily}) {
        if (!Raw(v, 1)) return false;
    }
    if (!Raw(read.lfFaceName, LogFont::kFaceSize)) return false;
    font = read;
    return true;
}

bool ByteReader::Count(std::int32_t& count, std::size_t elementSize)
{
    std::int32_t read = 0;
    if (!Int32(read)) return false;
    if (read < 0 || static_cast<std::size_t>(read) > remaining() / elementSize) return Fail();
    count = read;
    return true;
}

}  // namespace kalderon
