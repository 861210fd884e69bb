#include "import/DataSource.h"

namespace kalderon {
namespace {

using Role = CColumnAssignment::Role;

std::string NameOf(const std::vector<std::string>& fieldNames, std::int32_t column)
{
    return column >= 0 && static_cast<size_t>(column) < fieldNames.size() ? fieldNames[static_cast<size_t>(column)]
                                                                          : std::string();
}

std::string DateFields(const CColumnAssignment& a, const std::vector<std::string>& names, Role day, Role month,
                       Role year)
{
    if (a[month] < 0 || a[year] < 0) return {};
    const std::string dayName = a[day] < 0 ? std::string("-") : NameOf(names, a[day]);
    return dayName + "," + NameOf(names, a[month]) + "," + NameOf(names, a[year]);
}

}  // namespace

DatabaseRoles RolesOfAssignment(const CColumnAssignment& a, const std::vector<std::string>& names)
{
    DatabaseRoles roles;
    roles.separateDates = a.dateInSeparateColumns != 0;
    if (roles.separateDates) {
        roles.begin = DateFields(a, names, Role::kBeginDay, Role::kBeginMonth, Role::kBeginYear);
        roles.end = DateFields(a, names, Role::kEndDay, Role::kEndMonth, Role::kEndYear);
        roles.birth = DateFields(a, names, Role::kBirthDay, Role::kBirthMonth, Role::kBirthYear);
    } else {
        roles.begin = NameOf(names, a[Role::kBegin]);
        roles.end = NameOf(names, a[Role::kEnd]);
        roles.birth = NameOf(names, a[Role::kBirth]);
    }
    roles.status = NameOf(names, a[Role::kStatus]);
    roles.group = NameOf(names, a[Role::kGroup]);
    roles.sex = NameOf(names, a[Role::kSex]);
    return roles;
}

}  // namespace kalderon
