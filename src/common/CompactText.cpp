#include "common/CompactText.h"

#include <new>

namespace kalderon {

void CompactText::Set(std::string_view text)
{
    if (text.size() <= kInPlace) {
        SetInPlace(text);
        return;
    }
    // operator new returns blocks aligned for any scalar type, so the
    // address is even and never mistaken for a text in place.
    auto* block = static_cast<unsigned char*>(::operator new(sizeof(size_t) + text.size()));
    const size_t size = text.size();
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), size);
    const auto word = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(block));
    std::memcpy(bytes_, &word, sizeof word);
}

void CompactText::Release() noexcept
{
    if (!IsInPlace()) ::operator delete(Block());
}

}  // namespace kalderon
