#include "stats/PopulationLookup.h"

#include <algorithm>


namespace kalderon {
namespace {

int ChooseTable(const std::vector<CPopulationYearTable>& tables, int year)
{
    const auto later = std::lower_bound(tables.begin(), tables.end(), year,
                                        [](const CPopulationYearTable& t, int y) { return t.year < y; });
    if (later == tables.begin()) return 0;
    if (later == tables.end()) return static_cast<int>(tables.size()) - 1;
    const auto earlier = std::prev(later);
    // Equal distance goes to the later table.
    const bool takeEarlier = year - earlier->year < later->year - year;
    return static_cast<int>((takeEarlier ? earlier : later) - tables.begin());
}

}  // namespace

PopulationLookup::PopulationLookup(const std::vector<CPopulationYearTable>& tables, std::string sexCodeFirst)
    : tables_(tables), sexCodeFirst_(std::move(sexCodeFirst))
{
    if (tables_.empty()) return;
    firstCachedYear_ = tables_.front().year - 1;
    const int lastCachedYear = tables_.back().year + 1;
    for (int y = firstCachedYear_; y <= lastCachedYear; ++y) tableOfYear_.push_back(ChooseTable(tables_, y));
}

const CPopulationYearTable& PopulationLookup::TableFor(int year) const
{
    const int offset = year - firstCachedYear_;
    if (offset < 0) return tables_.front();
    if (offset >= static_cast<int>(tableOfYear_.size())) return tables_.back();
    return tables_[tableOfYear_[offset]];
}

double PopulationLookup::SexValue(int year, int index, int sex) const
{
    if (tables_.empty()) return 0.0;
    const CPopulationYearTable& table = TableFor(year);
    const std::vector<double>& values = sex == 0 ? table.firstSex : table.secondSex;
    if (values.empty()) return 0.0;
    const int last = static_cast<int>(values.size()) - 1;
    return values[std::clamp(index, 0, last)];
}

int CompletedAge(const CivilDate& b, const CivilDate& a)
{
    const bool birthdayReached = b.month < a.month || (b.month == a.month && a.day >= b.day);
    return a.year - b.year - (birthdayReached ? 0 : 1);
}

}  // namespace kalderon
