#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kalderon {

// A byte string in 8 bytes, for the short codes a case carries by the
// million: up to 7 bytes are held in place, longer texts in a block of
// their own.  It compares byte by byte, like std::string.
class CompactText {
public:
    static constexpr size_t kInPlace = 7;

    CompactText() noexcept { SetInPlace({}); }
    CompactText(std::string_view text) { Set(text); }
    CompactText(const std::string& text) { Set(text); }
    CompactText(const char* text) { Set(text); }
    CompactText(const CompactText& other) { Set(other.view()); }
    CompactText(CompactText&& other) noexcept
    {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.SetInPlace({});
    }
    ~CompactText() { Release(); }

    CompactText& operator=(const CompactText& other)
    {
        if (this != &other) *this = CompactText(other);
        return *this;
    }
    CompactText& operator=(CompactText&& other) noexcept
    {
        if (this != &other) {
            Release();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            other.SetInPlace({});
        }
        return *this;
    }

    std::string_view view() const
    {
        if (IsInPlace()) return {reinterpret_cast<const char*>(bytes_ + kTextByte), size_t{bytes_[kTagByte]} >> 1};
        const unsigned char* block = Block();
        size_t size;
        std::memcpy(&size, block, sizeof size);
        return {reinterpret_cast<const char*>(block + sizeof size), size};
    }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    size_t size() const { return view().size(); }
    bool empty() const { return bytes_[kTagByte] == 1; }

    friend bool operator==(const CompactText& a, std::string_view b) { return a.view() == b; }
    friend auto operator<=>(const CompactText& a, std::string_view b) { return a.view() <=> b; }

private:
    // The lowest byte of the word tells the two apart: in place it is odd and
    // holds the size; a block's address is even.
    static constexpr size_t kTagByte = std::endian::native == std::endian::little ? 0 : 7;
    static constexpr size_t kTextByte = std::endian::native == std::endian::little ? 1 : 0;

    bool IsInPlace() const { return (bytes_[kTagByte] & 1) != 0; }

    void SetInPlace(std::string_view text) noexcept
    {
        std::memset(bytes_, 0, sizeof bytes_);
        bytes_[kTagByte] = static_cast<unsigned char>(text.size() << 1 | 1);
        if (!text.empty()) std::memcpy(bytes_ + kTextByte, text.data(), text.size());
    }

    void Set(std::string_view text);
    void Release() noexcept;

    unsigned char* Block() const
    {
        std::uint64_t word;
        std::memcpy(&word, bytes_, sizeof word);
        return reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(word));
    }

    alignas(8) unsigned char bytes_[8];
};

static_assert(sizeof(CompactText) == 8);

}  // namespace kalderon
