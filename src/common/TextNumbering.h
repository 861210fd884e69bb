#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
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
    std::pair<std::int32_t, bool> Number(std::string_view text)
    {
        if (numbers_.empty()) {
            for (size_t i = 0; i < texts_.size(); ++i)
                if (texts_[i] == text) return {static_cast<std::int32_t>(i), false};
        } else if (const auto it = numbers_.find(text); it != numbers_.end()) {
            return {it->second, false};
        }
        const auto number = static_cast<std::int32_t>(texts_.size());
        texts_.emplace_back(text);
        if (!numbers_.empty()) {
            numbers_.emplace(texts_.back(), number);
        } else if (texts_.size() > kFew) {
            for (size_t i = 0; i < texts_.size(); ++i) numbers_.emplace(texts_[i], static_cast<std::int32_t>(i));
        }
        return {number, true};
    }

    const std::string& Text(std::int32_t number) const { return texts_[number]; }
    const std::vector<std::string>& texts() const { return texts_; }

private:
    static constexpr size_t kFew = 16;

    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::int32_t, Hash, std::equal_to<>> numbers_;
};

}  // namespace kalderon
