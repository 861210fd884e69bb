#include "stats/CaseListOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <memory>
#include <utility>
#include <unordered_map>

#include "common/LargeArrays.h"
#include "common/RadixSort.h"

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

// Numbers the epochs of the rows, which must come in row order.
class EpochCounter {
public:
    std::int32_t operator()(const CCaseRecord& c)
    {
        if (!c.beginDate.isValid()) {
            std::int32_t& count = openEnds_[static_cast<int>(c.beginDate.status())];
            return c.endDate.isValid() ? count : ++count;
        }
        if (!c.endDate.isValid()) return ++openEndsByBegin_[c.beginDate.serial()];
        if (openEndsByBegin_.empty()) return 0;
        const auto it = openEndsByBegin_.find(c.beginDate.serial());
        return it == openEndsByBegin_.end() ? 0 : it->second;
    }

private:
    std::unordered_map<double, std::int32_t> openEndsByBegin_;  // valid begins only
    std::int32_t openEnds_[3] = {0, 0, 0};                       // invalid and null begins
};

// The lowest and highest whole day number of a set of dates.
struct DayRange {
    std::int64_t lowest = INT64_MAX;
    std::int64_t highest = INT64_MIN;

    // False when the day number has a fraction or lies beyond any calendar.
    bool Add(double serial)
    {
        if (!(std::fabs(serial) <= 1e12) || serial != std::floor(serial)) return false;
        const auto day = static_cast<std::int64_t>(serial);
        lowest = std::min(lowest, day);
        highest = std::max(highest, day);
        return true;
    }
    int bits() const { return highest < lowest ? 0 : std::bit_width(static_cast<std::uint64_t>(highest - lowest)); }
    std::uint64_t offset(double serial) const { return static_cast<std::uint64_t>(static_cast<std::int64_t>(serial) - lowest); }
};

// What the rows hold, as far as the sort needs it.
struct RowSurvey {
    std::array<std::int32_t, 3> countByBeginStatus{};
    std::int32_t openEnds = 0;  // end dates that are not valid
    DayRange begins, ends;      // of the valid dates
    bool wholeDays = true;      // every valid date is a whole day

    explicit RowSurvey(const std::vector<CCaseRecord>& rows)
    {
        for (const CCaseRecord& c : rows) {
            ++countByBeginStatus[static_cast<int>(c.beginDate.status())];
            if (c.beginDate.isValid()) wholeDays &= begins.Add(c.beginDate.serial());
            if (c.endDate.isValid())
                wholeDays &= ends.Add(c.endDate.serial());
            else
                ++openEnds;
        }
    }
};

// The list key packed into one integer whose order is the key's, row aside:
// begin status, begin day, epoch, end validity and end day, each as an
// offset from its lowest value in as few bits as it needs.
class PackedListKey {
public:
    explicit PackedListKey(const RowSurvey& survey) : survey_(survey)
    {
        const int statusBits = survey.countByBeginStatus[2] ? 2 : survey.countByBeginStatus[1] ? 1 : 0;
        beginBits_ = survey.begins.bits();
        epochBits_ = std::bit_width(static_cast<std::uint32_t>(survey.openEnds));
        endBits_ = survey.ends.bits();
        bits_ = statusBits + beginBits_ + epochBits_ + 1 + endBits_;
    }

    // Whether every key fits in 64 bits.
    bool fits() const { return survey_.wholeDays && bits_ <= 64; }
    int bits() const { return bits_; }

    std::uint64_t operator()(const CCaseRecord& c, std::int32_t epoch) const
    {
        std::uint64_t key = static_cast<std::uint64_t>(c.beginDate.status());
        key = (key << beginBits_) | (c.beginDate.isValid() ? survey_.begins.offset(c.beginDate.serial()) : 0);
        key = (key << epochBits_) | static_cast<std::uint32_t>(epoch);
        key = (key << 1) | (c.endDate.isValid() ? 1 : 0);
        key = (key << endBits_) | (c.endDate.isValid() ? survey_.ends.offset(c.endDate.serial()) : 0);
        return key;
    }

private:
    const RowSurvey& survey_;
    int beginBits_ = 0;
    int epochBits_ = 0;
    int endBits_ = 0;
    int bits_ = 0;
};

struct SortItem {
    std::uint64_t key;
    std::int32_t row;
};

// The rows sorted by list key, from packed keys.  Rows enter newest first,
// so that the stable sort puts equal keys in descending row order.  Where
// the key leaves room for the entry's number, both share one word, which
// halves the bytes each pass of the sort moves.
std::vector<std::int32_t> SortByPackedKey(const std::vector<CCaseRecord>& rows, const PackedListKey& packed)
{
    const size_t n = rows.size();
    auto sortedRows = LargeVector<std::int32_t>(n);
    EpochCounter epoch;
    const int entryBits = std::bit_width(n);
    if (packed.bits() + entryBits <= 64) {
        const auto items = LargeBufferForOverwrite<std::uint64_t>(n);
        const auto buffer = LargeBufferForOverwrite<std::uint64_t>(n);
        for (size_t row = 0; row < n; ++row)
            items[n - 1 - row] = packed(rows[row], epoch(rows[row])) << entryBits | (n - 1 - row);
        const std::uint64_t* sorted = RadixSortBy(items.get(), buffer.get(), n, packed.bits(),
                                                  [entryBits](std::uint64_t item) { return item >> entryBits; });
        const std::uint64_t entryMask = (std::uint64_t{1} << entryBits) - 1;
        for (size_t pos = 0; pos < n; ++pos)
            sortedRows[pos] = static_cast<std::int32_t>(n - 1 - (sorted[pos] & entryMask));
        return sortedRows;
    }
    const auto items = LargeBufferForOverwrite<SortItem>(n);
    const auto buffer = LargeBufferForOverwrite<SortItem>(n);
    for (size_t row = 0; row < n; ++row)
        items[n - 1 - row] = SortItem{packed(rows[row], epoch(rows[row])), static_cast<std::int32_t>(row)};
    const SortItem* sorted =
        RadixSortBy(items.get(), buffer.get(), n, packed.bits(), [](const SortItem& item) { return item.key; });
    for (size_t pos = 0; pos < n; ++pos) sortedRows[pos] = sorted[pos].row;
    return sortedRows;
}

// The rows sorted by list key, for day numbers that do not pack.
std::vector<std::int32_t> SortByListKey(const std::vector<CCaseRecord>& rows)
{
    const auto n = static_cast<std::int32_t>(rows.size());
    std::vector<ListKey> keys;
    keys.reserve(n);
    EpochCounter epoch;
    for (std::int32_t row = 0; row < n; ++row) {
        const CCaseRecord& c = rows[row];
        keys.push_back(ListKey{c.beginDate.isValid() ? c.beginDate.serial() : 0.0,
                               c.endDate.isValid() ? c.endDate.serial() : 0.0, epoch(c), row,
                               static_cast<std::uint8_t>(c.beginDate.status()),
                               static_cast<std::uint8_t>(c.endDate.isValid() ? 1 : 0)});
    }
    std::sort(keys.begin(), keys.end());
    auto sortedRows = LargeVector<std::int32_t>(n);
    for (std::int32_t pos = 0; pos < n; ++pos) sortedRows[pos] = keys[pos].row;
    return sortedRows;
}

}  // namespace

// Among cases of one begin status that order is the sort by ListKey.  Each
// case that went to the head at its arrival starts a run of that sorted
// sequence which later cases of its status only extend, up to the next such
// case.  The list is these runs, the latest head case's run first.
std::vector<std::int32_t> CaseListOrder(const std::vector<CCaseRecord>& rows)
{
    const RowSurvey survey(rows);
    const PackedListKey packed(survey);
    const std::vector<std::int32_t> sorted = packed.fits() ? SortByPackedKey(rows, packed) : SortByListKey(rows);

    // A case went to the head when it sorts before every earlier case of its
    // begin status, that is when every case sorted before it is a later one.
    struct Run {
        std::int32_t head;  // the row that went to the head
        std::int32_t from;  // sorted positions
        std::int32_t to;
    };
    std::vector<Run> runs;
    std::int32_t statusStart = 0;
    for (const std::int32_t count : survey.countByBeginStatus) {
        const std::int32_t statusEnd = statusStart + count;
        std::int32_t earliest = INT32_MAX;
        for (std::int32_t pos = statusStart; pos < statusEnd; ++pos) {
            if (sorted[pos] > earliest) continue;
            earliest = sorted[pos];
            if (pos > statusStart) runs.back().to = pos;
            runs.push_back(Run{earliest, pos, statusEnd});
        }
        statusStart = statusEnd;
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.head > b.head; });

    std::vector<std::int32_t> order;
    order.reserve(rows.size());
    for (const Run& run : runs) order.insert(order.end(), sorted.begin() + run.from, sorted.begin() + run.to);
    return order;
}

}  // namespace kalderon
