#include "stats/CaseList.h"

#include <algorithm>
#include <future>
#include <numeric>

#include "common/LargeArrays.h"
#include "stats/CaseListOrder.h"

namespace kalderon {

CaseListBuilder::CaseListBuilder(CAnalysisData& data) : data_(data) {}

void CaseListBuilder::Reserve(size_t rows)
{
    ReserveLarge(rows_, rows);
    ReserveLarge(rowGroup_, rows);
    ReserveLarge(rowFacts_, rows);
}

void CaseListBuilder::Add(CCaseRecord c)
{
    if (c.isValid) {
        if (!data_.firstBeginDate.isValid() || c.beginDate.serial() < data_.firstBeginDate.serial())
            data_.firstBeginDate = c.beginDate;
        if (!data_.lastEndDate.isValid() || c.endDate.serial() > data_.lastEndDate.serial())
            data_.lastEndDate = c.endDate;
        const auto [status, isNewStatus] = statusSeen_.Number(c.statusText);
        if (isNewStatus) data_.statusCodes.emplace_back(c.statusText);
        const auto [sex, isNewSex] = sexSeen_.Number(c.sexText);
        if (isNewSex) data_.sexCodes.emplace_back(c.sexText);
        data_.maxObservationDays = std::max(data_.maxObservationDays, c.observationDays);
        rowFacts_.push_back(
            {c.observationDays, 0, 0, static_cast<std::uint32_t>(sex), static_cast<std::uint32_t>(status)});
    } else {
        rowFacts_.emplace_back();
    }

    const auto [groupId, isNew] = groupIds_.Number(c.groupText);
    if (isNew) groupsByArrival_.push_back(CGroupInfo{c.groupText.str(), "", 0, 0, 0});
    CGroupInfo& group = groupsByArrival_[groupId];
    group.recordsRead += 1;
    (c.isValid ? group.recordsValid : group.recordsSkipped) += 1;
    rowGroup_.push_back(groupId);

    rows_.push_back(std::move(c));
}

CaseList CaseListBuilder::Finish()
{
    const auto n = static_cast<std::int32_t>(rows_.size());
    // A second thread takes most of the list's room (fresh memory is costly)
    // and makes the cases' facts: their years and ages while the order is
    // found, then their numbering in list order while the records are put in
    // that order.
    CaseList list;
    auto preparing = std::async(std::launch::async, [&] {
        ResizeLarge(list.rowToList, n);
        ResizeLarge(list.groupIndex, n);
        ResizeLarge(list.facts.cases, n);
        ResizeLarge(list.records, n);
        for (size_t row = 0; row < rows_.size(); ++row)
            if (rowFacts_[row].observationDays >= 0) SetYearAndAge(rowFacts_[row], rows_[row]);
    });
    std::vector<std::int32_t> order = CaseListOrder(rows_);
    preparing.get();
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
    for (std::int32_t pos = 0; pos < n; ++pos) list.groupIndex[pos] = groupPosition[rowGroup_[order[pos]]];
    rowGroup_ = {};

    auto factNumbering = std::async(std::launch::async, [&] {
        CaseFactNumbering numbering(list.facts, sexSeen_.texts(), statusSeen_.texts());
        constexpr std::int32_t kAhead = 32;
        for (std::int32_t pos = 0; pos < n; ++pos) {
            if (pos + kAhead < n) __builtin_prefetch(&rowFacts_[order[pos + kAhead]]);
            if (const RecordFacts& facts = rowFacts_[order[pos]]; facts.observationDays >= 0)
                numbering.Add(pos, facts, list.groupIndex[pos]);
        }
    });
    // The records are fetched in list order, some ahead, so that the jumps
    // through the rows overlap.  The day numbers' room is taken only now
    // that the sort's is free.
    ResizeLarge(list.facts.beginDays, n);
    ResizeLarge(list.facts.endDays, n);
    constexpr std::int32_t kAhead = 16;
    for (std::int32_t pos = 0; pos < n; ++pos) {
        if (pos + kAhead < n) __builtin_prefetch(&rows_[order[pos + kAhead]]);
        CCaseRecord& c = list.records[pos];
        c = std::move(rows_[order[pos]]);
        list.facts.beginDays[pos] = c.beginDate.serial();
        list.facts.endDays[pos] = c.endDate.serial();
    }
    rows_ = {};
    factNumbering.get();
    rowFacts_ = {};

    data_.groupResults.clear();
    for (const CGroupInfo& info : list.groups) {
        CGroupResult result;
        result.info = info;
        data_.groupResults.push_back(std::move(result));
    }
    return list;
}

}  // namespace kalderon
