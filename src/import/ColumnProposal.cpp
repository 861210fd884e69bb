#include "import/ColumnProposal.h"

#include <cctype>

#include "import/FieldConversions.h"

namespace kalderon {
namespace {

// The names of each role, lower case, without blanks and punctuation.
struct RoleNames {
    int ColumnSelection::*entry;
    bool wantsDates;
    std::vector<std::string> names;
};

const std::vector<RoleNames>& Roles()
{
    static const std::vector<RoleNames> roles = {
        {&ColumnSelection::begin, true,
         {"begin", "start", "entry", "diagnosis", "dx", "dxdate", "dateofdiagnosis", "diagnosisdate", "begindate",
          "startdate", "entrydate", "dateofentry", "beginfu", "beginfollowup", "startfu", "startfollowup"}},
        {&ColumnSelection::end, true,
         {"end", "exit", "lastcontact", "followup", "datelast", "deathdate", "dateofdeath", "enddate", "exitdate",
          "lastcontactdate", "dateoflastcontact", "lastfollowup", "endfu", "endfollowup"}},
        {&ColumnSelection::status, false,
         {"status", "vitalstatus", "vital", "dead", "death", "died", "event", "censor", "censored", "fustatus"}},
        {&ColumnSelection::group, false, {"group", "grp", "stage", "stratum", "strata", "site", "arm"}},
        {&ColumnSelection::sex, false, {"sex", "gender"}},
        {&ColumnSelection::birth, true, {"birth", "dob", "birthdate", "dateofbirth", "birthday"}},
    };
    return roles;
}

std::string FoldedName(const std::string& name)
{
    std::string folded;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) folded += static_cast<char>(std::tolower(u));
    }
    return folded;
}

bool HasValue(const FieldValue& value)
{
    return value.type != VT_EMPTY && value.type != VT_NULL && !(value.type == VT_BSTR && value.text.empty());
}

FieldKind Joined(FieldKind kind, bool isDate)
{
    const FieldKind seen = isDate ? FieldKind::kDates : FieldKind::kNoDates;
    if (kind == FieldKind::kNoValues || kind == seen) return seen;
    return FieldKind::kMixed;
}

}  // namespace

ReadResult<std::vector<FieldKind>> SampleFieldKinds(const Database& database, const std::string& table, size_t rows)
{
    ReadResult<std::unique_ptr<Recordset>> opened = database.OpenTable(table);
    if (!opened) return opened.fault();
    Recordset& recordset = **opened;
    std::vector<FieldKind> kinds(static_cast<size_t>(recordset.FieldCount()), FieldKind::kNoValues);
    for (size_t row = 0; row < rows && !recordset.IsEOF(); ++row) {
        for (size_t field = 0; field < kinds.size(); ++field) {
            const FieldValue& value = recordset.GetFieldValue(static_cast<int>(field));
            DateValue date;
            if (HasValue(value)) kinds[field] = Joined(kinds[field], VariantToDate(value, date));
        }
        if (const ReadResult<void> moved = recordset.MoveNext(); !moved) return moved.fault();
    }
    return kinds;
}

ColumnSelection ProposeColumnSelection(const std::vector<std::string>& fieldNames, const std::vector<FieldKind>& kinds)
{
    ColumnSelection proposal;
    for (const RoleNames& role : Roles()) {
        int found = -1, matches = 0;
        for (size_t field = 0; field < fieldNames.size(); ++field) {
            const std::string folded = FoldedName(fieldNames[field]);
            for (const std::string& name : role.names)
                if (folded == name) found = static_cast<int>(field), ++matches;
        }
        if (matches != 1 || static_cast<size_t>(found) >= kinds.size()) continue;
        const FieldKind fitting = role.wantsDates ? FieldKind::kDates : FieldKind::kNoDates;
        if (kinds[static_cast<size_t>(found)] == fitting) proposal.*role.entry = found + 1;
    }
    return proposal;
}

ColumnSelection ProposeColumnSelection(const Database& database, const std::string& table,
                                       const std::vector<std::string>& fieldNames)
{
    const ReadResult<std::vector<FieldKind>> kinds = SampleFieldKinds(database, table);
    return kinds ? ProposeColumnSelection(fieldNames, *kinds) : ColumnSelection{};
}

}  // namespace kalderon
