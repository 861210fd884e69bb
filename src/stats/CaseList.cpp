#include "stats/CaseList.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "stats/LargeArrays.h"

namespace kalderon {
namespace {

// Where a case stands in the list, as a sort key.  Cases whose begin dates
// differ in status never meet when a case is inserted from the tail, so each
// begin status forms its own sorted sequence.  Within a begin date, a case
// with an end date that is not valid goes after all cases of that begin date
// and starts a new epoch: later cases are sorted behind it by end date, the
// newest first among equal ends.
struct ListKey {
    double begin;  // 0 unless valid
    double end;    // 0 unless valid
    std::int32_t epoch;
    std::int32_t row;
    std::uint8_t beginStatus;
    std::uint8_t endValid;

    bool operator<(const ListKey& o) const
    {
        if (beginStatus != o.beginStatus) return beginStatus < o.beginStatus;
        if (begin != o.begin) return begin < o.begin;
        if (epoch != o.epoch) return epoch < o.epoch;
        if (endValid != o.endValid) return endValid < o.endValid;
        if (end != o.end) return end < o.end;
        return row > o.row;
    }
};

}  // namespace

CaseListBuilder::CaseListBuilder(CAnalysisData& data) : data_(data) {}

void CaseListBuilder::Reserve(size_t rows)
{
    ReserveLarge(rows_, rows);
    rowGroup_.reserve(rows);
}

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

    auto [it, isNew] = groupIds_.try_emplace(c.groupText, static_cast<std::int32_t>(groupsByArrival_.size()));
    if (isNew) groupsByArrival_.push_back(CGroupInfo{c.groupText, "", 0, 0, 0});
    CGroupInfo& group = groupsByArrival_[it->second];
    group.recordsRead += 1;
    (c.isValid ? group.recordsValid : group.recordsSkipped) += 1;
    rowGroup_.push_back(it->second);

    rows_.push_back(std::move(c));
}

// The order that inserting each row by walking the list from its tail
// gives: the new case goes right after the first case whose begin date is
// earlier (both valid), or whose begin date is equal and whose end date is
// earlier or not valid (or the new end date is not valid); else at the head.
//
// Among cases of one begin status that order is the sort by ListKey.  Each
// case that went to the head at its arrival starts a run of that sorted
// sequence which later cases of its status only extend, up to the next such
// case.  The list is these runs, the latest head case's run first.
std::vector<std::int32_t> CaseListBuilder::ListOrder() const
{
    const auto n = static_cast<std::int32_t>(rows_.size());
    std::vector<ListKey> keys(n);
    {
        std::unordered_map<double, std::int32_t> openEndsByBegin;  // valid begins only
        std::int32_t openEnds[3] = {0, 0, 0};                       // invalid and null begins
        for (std::int32_t row = 0; row < n; ++row) {
            const CCaseRecord& c = rows_[row];
            ListKey& key = keys[row];
            key.beginStatus = static_cast<std::uint8_t>(c.beginDate.status());
            key.begin = c.beginDate.isValid() ? c.beginDate.serial() : 0.0;
            key.endValid = c.endDate.isValid() ? 1 : 0;
            key.end = c.endDate.isValid() ? c.endDate.serial() : 0.0;
            key.row = row;
            if (c.beginDate.isValid()) {
                if (!key.endValid) {
                    key.epoch = ++openEndsByBegin[key.begin];
                } else if (openEndsByBegin.empty()) {
                    key.epoch = 0;
                } else {
                    const auto it = openEndsByBegin.find(key.begin);
                    key.epoch = it == openEndsByBegin.end() ? 0 : it->second;
                }
            } else {
                std::int32_t& count = openEnds[key.beginStatus];
                key.epoch = key.endValid ? count : ++count;
            }
        }
    }
    std::sort(keys.begin(), keys.end());

    std::vector<std::int32_t> rank(n);
    for (std::int32_t pos = 0; pos < n; ++pos) rank[keys[pos].row] = pos;

    // A case went to the head when it sorts before every earlier case of its
    // begin status.
    std::vector<bool> wentToHead(n, false);
    {
        std::int32_t lowestRank[3] = {INT_MAX, INT_MAX, INT_MAX};
        for (std::int32_t row = 0; row < n; ++row) {
            std::int32_t& lowest = lowestRank[keys[rank[row]].beginStatus];
            if (rank[row] < lowest) {
                lowest = rank[row];
                wentToHead[row] = true;
            }
        }
    }

    // runEnd[pos]: end of the run that starts at sorted position pos.
    std::vector<std::int32_t> runEnd(n);
    for (std::int32_t pos = n - 1, end = n; pos >= 0; --pos) {
        if (pos + 1 < n && keys[pos + 1].beginStatus != keys[pos].beginStatus) end = pos + 1;
        runEnd[pos] = end;
        if (wentToHead[keys[pos].row]) end = pos;
    }

    std::vector<std::int32_t> order;
    order.reserve(n);
    for (std::int32_t row = n - 1; row >= 0; --row) {
        if (!wentToHead[row]) continue;
        for (std::int32_t pos = rank[row]; pos < runEnd[rank[row]]; ++pos) order.push_back(keys[pos].row);
    }
    return order;
}

CaseList CaseListBuilder::Finish()
{
    const auto n = static_cast<std::int32_t>(rows_.size());
    const std::vector<std::int32_t> order = ListOrder();

    CaseList list;
    list.rowToList.assign(n, 0);
    for (std::int32_t pos = 0; pos < n; ++pos) list.rowToList[order[pos]] = pos;

    // The group list sorted by code (byte-wise), and each group's position in it.
    std::vector<std::int32_t> byCode(groupsByArrival_.size());
    std::iota(byCode.begin(), byCode.end(), 0);
    std::sort(byCode.begin(), byCode.end(),
              [&](std::int32_t a, std::int32_t b) { return groupsByArrival_[a].code < groupsByArrival_[b].code; });
    std::vector<std::int32_t> groupPosition(byCode.size());
    for (size_t pos = 0; pos < byCode.size(); ++pos) {
        groupPosition[byCode[pos]] = static_cast<std::int32_t>(pos);
        list.groups.push_back(groupsByArrival_[byCode[pos]]);
    }
    list.groupIndex.resize(n);
    for (std::int32_t pos = 0; pos < n; ++pos) list.groupIndex[pos] = groupPosition[rowGroup_[order[pos]]];

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
    list.facts = BuildCaseFacts(list.records, list.groupIndex);
    rows_.clear();
    rowGroup_.clear();

    data_.groupResults.clear();
    for (const CGroupInfo& info : list.groups) {
        CGroupResult result;
        result.info = info;
        data_.groupResults.push_back(std::move(result));
    }
    return list;
}

}  // namespace kalderon
