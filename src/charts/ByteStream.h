#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "charts/ChartTypes.h"
#include "charts/LogFont.h"

namespace kalderon {

// Appends little-endian binary fields to a byte string.
class ByteWriter {
public:
    using Sink = std::function<void(std::string_view)>;

    // Keeps every byte, for TakeBytes.
    ByteWriter() = default;
    // Hands the bytes to `sink` in pieces, so that they are never held whole;
    // Flush hands over the last piece.
    explicit ByteWriter(Sink sink) : sink_(std::move(sink)) {}

    void Int32(std::int32_t value);
    void Float(float value);
    void Double(double value);
    // Byte count as int32, then the bytes without terminator.
    void String(const std::string& text);
    void Rect(const ChartRect& rect);
    void Font(const LogFont& font);

    // The bytes written, handed over; the writer is left empty.
    std::string TakeBytes() { return std::move(bytes_); }
    void Flush();

private:
    static constexpr std::size_t kPieceBytes = 1 << 20;

    void Raw(const void* data, std::size_t size);
    std::string bytes_;
    Sink sink_;
};

// Reads little-endian binary fields.  A read past the end fails, leaves the
// target unchanged and makes every later read fail too.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool Int32(std::int32_t& value);
    bool UInt32(std::uint32_t& value);
    bool Float(float& value);
    bool Double(double& value);
    // A negative count reads as an empty text; a count beyond the end fails.
    bool String(std::string& text);
    bool Rect(ChartRect& rect);
    bool Font(LogFont& font);
    // An element count: fails when it is negative or when that many elements
    // of at least elementSize bytes cannot fit in what is left.
    bool Count(std::int32_t& count, std::size_t elementSize);

    bool ok() const { return ok_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool Fail()
    {
        ok_ = false;
        return false;
    }

private:
    bool Raw(void* data, std::size_t size);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

inline constexpr std::size_t kLogFontBytes = 60;

}  // namespace kalderon
