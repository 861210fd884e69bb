#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kalderon {

// Numbers texts 0, 1, 2, ... in order of first appearance.  While there are
// few, a text is looked up by comparing it with each, which is faster than
// hashing it; beyond that by a hash table.
class TextNumbering {
public:
    // The number of `text`, and whether it was seen for the first time.
    std::pair<std::int32_t, bool> Number(const std::string& text)
    {
        if (numbers_.empty()) {
            for (size_t i = 0; i < few_.size(); ++i)
                if (few_[i] == text) return {static_cast<std::int32_t>(i), false};
            few_.push_back(text);
            const auto number = static_cast<std::int32_t>(few_.size()) - 1;
            if (few_.size() > kFew) MoveToHashTable();
            return {number, true};
        }
        const auto [it, isNew] = numbers_.try_emplace(text, static_cast<std::int32_t>(numbers_.size()));
        return {it->second, isNew};
    }

private:
    static constexpr size_t kFew = 16;

    void MoveToHashTable()
    {
        for (size_t i = 0; i < few_.size(); ++i) numbers_.emplace(std::move(few_[i]), static_cast<std::int32_t>(i));
        std::vector<std::string>().swap(few_);
    }

    std::vector<std::string> few_;
    std::unordered_map<std::string, std::int32_t> numbers_;
};

}  // namespace kalderon
