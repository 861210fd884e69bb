#pragma once

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace kalderon {

// Numbers 64-bit keys 0, 1, 2, ... in order of first appearance, in an
// open-addressing table whose slot is chosen by the high bits of the key
// times an odd constant, so that keys packed from small fields spread over
// the table.  A key asked for twice in a row is answered without a look-up.
class KeyNumbering {
public:
    // The number of `key`, and whether it was seen for the first time.
    std::pair<std::uint32_t, bool> Number(std::uint64_t key)
    {
        if (count_ > 0 && key == lastKey_) return {last_, false};
        if ((count_ + 1) * 2 > slots_.size()) Grow();
        size_t at = SlotOf(key);
        for (; slots_[at].numberPlusOne != 0; at = (at + 1) & (slots_.size() - 1))
            if (slots_[at].key == key) return Remember(key, slots_[at].numberPlusOne - 1, false);
        slots_[at] = Slot{key, ++count_};
        return Remember(key, count_ - 1, true);
    }

    std::uint32_t size() const { return count_; }

private:
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t numberPlusOne = 0;  // 0: empty
    };

    size_t SlotOf(std::uint64_t key) const { return (key * 0x9E3779B97F4A7C15ull) >> shift_; }

    std::pair<std::uint32_t, bool> Remember(std::uint64_t key, std::uint32_t number, bool isNew)
    {
        lastKey_ = key;
        last_ = number;
        return {number, isNew};
    }

    void Grow()
    {
        std::vector<Slot> old(slots_.empty() ? 512 : slots_.size() * 2);
        old.swap(slots_);
        shift_ = 64 - std::countr_zero(slots_.size());
        for (const Slot& slot : old) {
            if (slot.numberPlusOne == 0) continue;
            size_t at = SlotOf(slot.key);
            while (slots_[at].numberPlusOne != 0) at = (at + 1) & (slots_.size() - 1);
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_;
    int shift_ = 64;
    std::uint32_t count_ = 0;
    std::uint64_t lastKey_ = 0;
    std::uint32_t last_ = 0;
};

}  // namespace kalderon
