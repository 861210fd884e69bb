#include "import/TextRoleConflicts.h"

#include <algorithm>
#include <array>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

struct RoleColumns {
    bool used = false;
    int from = 0;
    int to = 0;
};

std::array<RoleColumns, kTextRoleCount> ColumnsOf(const TextImportSettings& s)
{
    const bool fixed = s.format == TextImportSettings::kFixedColumns;
    const auto role = [fixed](bool used, int column, int from, int to) {
        return fixed ? RoleColumns{used && from > 0 && from <= to, from, to} : RoleColumns{used, column, column};
    };
    return {
        role(true, s.beginColumn, s.beginFrom, s.beginTo),
        role(true, s.endColumn, s.endFrom, s.endTo),
        role(true, s.statusColumn, s.statusFrom, s.statusTo),
        role(s.useGroup, s.groupColumn, s.groupFrom, s.groupTo),
        role(s.useSex, s.sexColumn, s.sexFrom, s.sexTo),
        role(s.useBirth, s.birthColumn, s.birthFrom, s.birthTo),
    };
}

}  // namespace

const char* TextRoleName(int role)
{
    static constexpr const char* kNames[kTextRoleCount] = {
        "Date of beginning of follow-up", "Date of end of follow-up", "Status at end of follow-up",
        "Grouping variable",              "Gender variable",          "Date of birth",
    };
    return kNames[role];
}

std::optional<SharedColumn> FindSharedColumn(const TextImportSettings& settings)
{
    const auto columns = ColumnsOf(settings);
    for (int second = 1; second < kTextRoleCount; ++second) {
        const RoleColumns& b = columns[second];
        if (!b.used) continue;
        for (int first = 0; first < second; ++first) {
            const RoleColumns& a = columns[first];
            if (!a.used || (first == kTextRoleGroup && second == kTextRoleSex)) continue;
            if (a.from <= b.to && b.from <= a.to)
                return SharedColumn{first, second, std::max(a.from, b.from), std::min(a.to, b.to),
                                    settings.format == TextImportSettings::kFixedColumns};
        }
    }
    return std::nullopt;
}

std::string SharedColumnText(const SharedColumn& shared)
{
    const std::string first = TextRoleName(shared.first);
    const std::string second = TextRoleName(shared.second);
    if (shared.fixedColumns && shared.from == shared.to)
        return FormatText(text::kRolesShareCharacter, first, second, shared.from);
    if (shared.fixedColumns)
        return FormatText(text::kRolesShareCharacters, first, second, shared.from, shared.to);
    return FormatText(text::kRolesShareField, first, second, shared.from);
}

}  // namespace kalderon
