#include "analysis/CaseGrouping.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <optional>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/DataColumns.h"

namespace kalderon {
namespace {

Refusal ReadCuts(std::string_view text, int lowest, std::vector<int>& cuts)
{
    cuts.clear();
    const std::string written(text);
    for (;;) {
        const size_t comma = text.find(',');
        const std::string_view piece = text.substr(0, comma);
        const bool digits = !piece.empty() && piece.size() <= 6 &&
                            std::all_of(piece.begin(), piece.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        if (!digits) return FormatText(text::kCutsNotRead, written);
        const int cut = std::stoi(std::string(piece));
        if (cut < lowest || (!cuts.empty() && cut <= cuts.back())) return FormatText(text::kCutsNotRead, written);
        cuts.push_back(cut);
        if (comma == std::string_view::npos) return std::nullopt;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace

std::string CutsText(const std::vector<int>& cuts)
{
    std::string text;
    for (const int cut : cuts) text += (text.empty() ? "" : ",") + std::to_string(cut);
    return text;
}

std::string GroupKey::Text() const
{
    switch (kind) {
    case Kind::kField: return field.name;
    case Kind::kAgeBands: return FormatText(text::kAgeGroupsKey, CutsText(cuts));
    case Kind::kBeginYearBands: return FormatText(text::kBeginYearGroupsKey, CutsText(cuts));
    case Kind::kFileGroups: break;
    }
    return {};
}

Refusal ReadAgeCuts(std::string_view text, std::vector<int>& cuts)
{
    if (text == "icss") {
        cuts.assign(kIcssAgeCuts.begin(), kIcssAgeCuts.end());
        return std::nullopt;
    }
    return ReadCuts(text, 0, cuts);
}

Refusal ReadYearCuts(std::string_view text, std::vector<int>& cuts) { return ReadCuts(text, 1, cuts); }

Refusal ReadGroupKey(const DataColumns& columns, bool hasBirthColumn, std::string_view text, GroupKey& key)
{
    key = GroupKey{};
    const size_t equals = text.find('=');
    const std::string_view word = text.substr(0, equals);
    if (text == kFileGroupsKeyword) {
        key.kind = GroupKey::Kind::kFileGroups;
        return std::nullopt;
    }
    if (equals != std::string_view::npos && word == kAgeGroupsKeyword) {
        if (!hasBirthColumn) return FormatText(text::kAgeNeedsBirth, kAgeGroupsKeyword);
        key.kind = GroupKey::Kind::kAgeBands;
        return ReadAgeCuts(text.substr(equals + 1), key.cuts);
    }
    if (equals != std::string_view::npos && word == kBeginYearGroupsKeyword) {
        key.kind = GroupKey::Kind::kBeginYearBands;
        return ReadYearCuts(text.substr(equals + 1), key.cuts);
    }
    return FindCaseField(columns, hasBirthColumn, text, key.field);
}

std::vector<std::int32_t> RankOfValues(const std::vector<std::string>& values)
{
    std::vector<std::optional<double>> numbers(values.size());
    bool numeric = true;
    for (size_t i = 0; i < values.size() && numeric; ++i)
        numeric = values[i].empty() || (numbers[i] = ReadNumber(values[i])).has_value();
    std::vector<std::int32_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        if (numeric && numbers[a] != numbers[b]) return numbers[a] < numbers[b];
        return values[a] < values[b];
    });
    std::vector<std::int32_t> rank(values.size());
    for (size_t pos = 0; pos < order.size(); ++pos) rank[order[pos]] = static_cast<std::int32_t>(pos);
    return rank;
}

int BandOf(const std::vector<int>& cuts, int value)
{
    return static_cast<int>(std::upper_bound(cuts.begin(), cuts.end(), value) - cuts.begin()) - 1;
}

std::string BandText(const GroupKey& key, int band)
{
    const std::vector<int>& cuts = key.cuts;
    const bool ages = key.kind == GroupKey::Kind::kAgeBands;
    if (band < 0) return ages ? FormatText("0-%d", cuts.front() - 1) : FormatText("<%d", cuts.front());
    if (static_cast<size_t>(band) + 1 == cuts.size()) return FormatText("%d+", cuts[band]);
    return FormatText("%d-%d", cuts[band], cuts[band + 1] - 1);
}

}  // namespace kalderon
