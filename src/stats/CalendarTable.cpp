#include "stats/CalendarTable.h"

#include <cmath>
#include <vector>

namespace kalderon {
namespace {

struct Table {
    long long first = 0;
    std::vector<std::int16_t> year;
    std::vector<std::int16_t> monthDay;

    Table()
    {
        first = static_cast<long long>(DateValue::FromYmd(1800, 1, 1).serial());
        const auto end = static_cast<long long>(DateValue::FromYmd(2200, 1, 1).serial());
        year.reserve(end - first);
        monthDay.reserve(end - first);
        for (int y = 1800; y < 2200; ++y)
            for (int m = 1; m <= 12; ++m)
                for (int d = 1, last = DaysInMonth(y, m); d <= last; ++d) {
                    year.push_back(static_cast<std::int16_t>(y));
                    monthDay.push_back(static_cast<std::int16_t>(m * 32 + d));
                }
    }
};

const Table& TheTable()
{
    static const Table table;
    return table;
}

}  // namespace

YearAndDay LookUpYearAndDay(const DateValue& date)
{
    const Table& t = TheTable();
    const long long index = static_cast<long long>(std::trunc(date.serial())) - t.first;
    if (index >= 0 && index < static_cast<long long>(t.year.size())) return {t.year[index], t.monthDay[index]};
    const CivilDate c = date.civil();
    return {c.year, c.month * 32 + c.day};
}

}  // namespace kalderon
