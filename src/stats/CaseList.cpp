#include "stats/CaseList.h"

#include <algorithm>
#include <unordered_map>

namespace kalderon {

CaseListBuilder::CaseListBuilder(CAnalysisData& data) : data_(data) {}

void CaseListBuilder::Add(CCaseRecord c)
{
    if (c.isValid) {
        if (!data_.firstBeginDate.isValid() || c.beginDate.serial() < data_.firstBeginDate.serial())
            data_.firstBeginDate = c.beginDate;
        if (!data_.lastEndDate.isValid() || c.endDate.serial() > data_.lastEndDate.serial())
            data_.lastEndDate = c.endDate;
        if (statusSeen_.insert(c.statusText).second) data_.statusCodes.push_back(c.statusText);
        if (sexSeen_.insert(c.sexText).second) data_.sexCodes.push_back(c.sexText);
        data_.maxObservationDays = std::max(data_.maxObservationDays, c.observationDays);
    }

    CGroupInfo& group = groups_[c.groupText];
    group.code = c.groupText;
    group.recordsRead += 1;
    (c.isValid ? group.recordsValid : group.recordsSkipped) += 1;

    rows_.push_back(std::move(c));
}

// The predecessor of `row` inside its begin-date group (cases with the same
// begin date and status), or -1 when it goes before all of them.  The group
// is a run of frozen cases up to the last one with an end date that is not
// valid, followed by a tail that stays sorted by end date, newer cases first
// among equal ends.
std::int32_t CaseListBuilder::PlaceInGroup(BeginGroup& group, std::int32_t row)
{
    const DateValue& end = rows_[row].endDate;
    if (!end.isValid()) {
        const std::int32_t predecessor = group.last();
        group.lastInvalidEnd = row;
        group.tail.clear();
        return predecessor;
    }
    const auto key = std::make_pair(end.serial(), -row);
    auto [it, inserted] = group.tail.emplace(key, row);
    if (it != group.tail.begin()) return std::prev(it)->second;
    return group.lastInvalidEnd;
}

CaseList CaseListBuilder::Finish()
{
    const auto n = static_cast<std::int32_t>(rows_.size());

    // Each case goes right after its predecessor (-1: at the head).  Placing
    // a case right after P puts it before everything placed after P earlier,
    // so the final list is a pre-order walk of the predecessor tree with the
    // children of every node in reverse order of arrival.
    std::vector<std::int32_t> predecessor(n, -1);
    {
        std::map<double, BeginGroup> validBegins;
        BeginGroup invalidBegins;
        BeginGroup nullBegins;
        for (std::int32_t row = 0; row < n; ++row) {
            const DateValue& begin = rows_[row].beginDate;
            if (begin.isValid()) {
                auto [it, inserted] = validBegins.try_emplace(begin.serial());
                std::int32_t p = PlaceInGroup(it->second, row);
                if (p < 0 && it != validBegins.begin()) p = std::prev(it)->second.last();
                predecessor[row] = p;
            } else {
                BeginGroup& group = begin.status() == DateStatus::Null ? nullBegins : invalidBegins;
                predecessor[row] = PlaceInGroup(group, row);
            }
        }
    }

    // Children lists as index ranges, in order of arrival.
    std::vector<std::int32_t> childStart(n + 2, 0);
    for (std::int32_t row = 0; row < n; ++row) childStart[predecessor[row] + 2] += 1;
    for (std::int32_t i = 1; i < n + 2; ++i) childStart[i] += childStart[i - 1];
    std::vector<std::int32_t> children(n);
    {
        std::vector<std::int32_t> fill(childStart.begin(), childStart.end() - 1);
        for (std::int32_t row = 0; row < n; ++row) children[fill[predecessor[row] + 1]++] = row;
    }
    // Node v (or -1 for the head) owns children[childStart[v + 1] .. childStart[v + 2]).
    std::vector<std::int32_t> order;
    order.reserve(n);
    std::vector<std::int32_t> stack;
    auto pushChildren = [&](std::int32_t node) {
        // Oldest pushed first, so the newest is visited first.
        for (std::int32_t k = childStart[node + 1]; k < childStart[node + 2]; ++k) stack.push_back(children[k]);
    };
    pushChildren(-1);
    while (!stack.empty()) {
        const std::int32_t node = stack.back();
        stack.pop_back();
        order.push_back(node);
        pushChildren(node);
    }

    CaseList list;
    list.rowToList.assign(n, 0);
    for (std::int32_t pos = 0; pos < n; ++pos) list.rowToList[order[pos]] = pos;

    // Move rows into list order in place, one permutation cycle at a time.
    std::vector<bool> placed(n, false);
    for (std::int32_t start = 0; start < n; ++start) {
        if (placed[start]) continue;
        CCaseRecord carried = std::move(rows_[start]);
        std::int32_t pos = start;
        while (true) {
            placed[pos] = true;
            const std::int32_t source = order[pos];
            if (source == start) {
                rows_[pos] = std::move(carried);
                break;
            }
            rows_[pos] = std::move(rows_[source]);
            pos = source;
        }
    }
    list.records = std::move(rows_);
    rows_.clear();

    list.groups.reserve(groups_.size());
    std::unordered_map<std::string, std::int32_t> groupPosition;
    for (auto& [code, info] : groups_) {
        groupPosition.emplace(code, static_cast<std::int32_t>(list.groups.size()));
        list.groups.push_back(info);
    }
    list.groupIndex.reserve(list.records.size());
    for (const CCaseRecord& c : list.records) list.groupIndex.push_back(groupPosition.at(c.groupText));

    data_.groupResults.clear();
    for (const CGroupInfo& info : list.groups) {
        CGroupResult result;
        result.info = info;
        data_.groupResults.push_back(std::move(result));
    }
    return list;
}

}  // namespace kalderon
