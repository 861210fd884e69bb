#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/LargeArrays.h"
#include "common/TextNumbering.h"
#include "stats/ResultTables.h"
#include "stats/TimePointOrder.h"

namespace kalderon {

// Collects the time points of every group in case-list order and writes
// them as product-limit rows in table order.
class TimePointCollector {
public:
    explicit TimePointCollector(int groups) : orders_(groups), points_(groups) {}

    // Room for this many time points of a group.
    void Reserve(int group, size_t points)
    {
        orders_[group].reserve(points);
        ReserveLarge(points_[group], points);
    }

    void Add(int group, std::int32_t survivalDays, std::int32_t entryDays, std::string_view statusText, bool isEvent)
    {
        orders_[group].Add(survivalDays, isEvent);
        points_[group].push_back({survivalDays, entryDays, statuses_.Number(statusText).first});
    }

    // The rows of a group with time, entry and status set, all else
    // initial; the group's collected points are freed.
    void Fill(int group, std::vector<CTimePointResult>& rows)
    {
        FillLarge(rows, points_[group].size(), [&] {
            // Ordered in here, while the rows' pages begin to be mapped.
            const std::vector<std::uint32_t> order = orders_[group].Finish();
            for (const std::uint32_t arrival : order) {
                const Point& point = points_[group][arrival];
                CTimePointResult& row = rows.emplace_back();
                row.entryDays = point.entryDays;
                row.survivalDays = point.days;
                row.statusText = statuses_.Text(point.status);
            }
        });
        std::vector<Point>().swap(points_[group]);
    }

private:
    struct Point {
        std::int32_t days;
        std::int32_t entryDays;
        std::int32_t status;
    };

    std::vector<TimePointOrder> orders_;
    std::vector<std::vector<Point>> points_;
    TextNumbering statuses_;
};

}  // namespace kalderon
