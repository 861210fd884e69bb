#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace kalderon {

// Numbers the distinct status texts of the cases as they are met, so that a
// result table can be filled from small records instead of going back to
// the cases.  Registries use a handful of codes: those are found by a short
// scan, any number beyond by a hash lookup.
class StatusTexts {
public:
    std::uint32_t Number(const std::string& text)
    {
        const size_t known = texts_.size();
        if (known <= kScanned) {
            for (size_t i = 0; i < known; ++i)
                if (texts_[i] == text) return static_cast<std::uint32_t>(i);
        } else if (const auto found = numbers_.find(text); found != numbers_.end()) {
            return found->second;
        }
        const auto number = static_cast<std::uint32_t>(known);
        texts_.push_back(text);
        if (texts_.size() > kScanned) {
            if (numbers_.empty())
                for (size_t i = 0; i < texts_.size(); ++i) numbers_.emplace(texts_[i], static_cast<std::uint32_t>(i));
            else
                numbers_.emplace(text, number);
        }
        return number;
    }

    const std::string& Text(std::uint32_t number) const { return texts_[number]; }

private:
    static constexpr size_t kScanned = 8;
    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::uint32_t> numbers_;
};

}  // namespace kalderon
