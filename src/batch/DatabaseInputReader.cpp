#include "batch/DatabaseInputReader.h"

#include <strings.h>

#include "batch/BatchMessages.h"
#include "common/TextFormat.h"
#include "import/DatabaseImport.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"

namespace kalderon::batch {
namespace {

// Position of a field by name: the exact name, else the only name that
// differs in letter case alone.  -1 when there is none.
int FieldIndex(const std::vector<std::string>& names, const std::string& wanted)
{
    int folded = -1, foldedCount = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted) return static_cast<int>(i);
        if (strcasecmp(names[i].c_str(), wanted.c_str()) == 0) folded = static_cast<int>(i), ++foldedCount;
    }
    return foldedCount == 1 ? folded : -1;
}

struct NameResolver {
    const std::vector<std::string>& names;
    std::string error;

    // The list entry of a field: k + 1, or 0 when the name is not given.
    int Entry(const char* option, const std::string& name)
    {
        if (name.empty() || !error.empty()) return 0;
        const int k = FieldIndex(names, name);
        if (k < 0) error = FormatText(text::kBatchNoSuchField, option, name, JoinedList(names));
        return k + 1;
    }

    // "DAY,MONTH,YEAR" into the entries of the day (k + 2, "-" is
    // "< Ignore >"), month and year lists.
    void Parts(const char* option, const std::string& text, int& day, int& month, int& year)
    {
        if (text.empty() || !error.empty()) return;
        std::vector<std::string> parts{std::string()};
        for (char c : text) {
            if (c == ',')
                parts.emplace_back();
            else
                parts.back().push_back(c);
        }
        if (parts.size() != 3 || parts[1].empty() || parts[2].empty() || parts[0].empty()) {
            error = FormatText(text::kBatchDateFieldParts, option, text);
            return;
        }
        day = parts[0] == "-" ? 1 : Entry(option, parts[0]) + 1;
        month = Entry(option, parts[1]);
        year = Entry(option, parts[2]);
    }
};

}  // namespace

FieldSelection SelectFieldsByName(const DatabaseInput& d, const std::vector<std::string>& fieldNames)
{
    FieldSelection result;
    ColumnSelection& s = result.selection;
    NameResolver names{fieldNames, {}};
    s.dateInSeparateColumns = d.separateDates ? 1 : 0;
    if (d.separateDates) {
        names.Parts("--begin", d.begin, s.beginDay, s.beginMonth, s.beginYear);
        names.Parts("--end", d.end, s.endDay, s.endMonth, s.endYear);
    } else {
        s.begin = names.Entry("--begin", d.begin);
        s.end = names.Entry("--end", d.end);
    }
    s.status = names.Entry("--status", d.status);
    s.group = names.Entry("--group", d.group);
    s.sex = names.Entry("--sex", d.sex);
    if (d.separateDates)
        names.Parts("--birth", d.birth, s.birthDay, s.birthMonth, s.birthYear);
    else
        s.birth = names.Entry("--birth", d.birth);
    result.error = names.error;
    return result;
}

const char* OptionOfControl(int control)
{
    switch (control) {
    case kComboBegin:
    case kComboBeginDay:
    case kComboBeginMonth:
    case kComboBeginYear: return "--begin";
    case kComboEnd:
    case kComboEndDay:
    case kComboEndMonth:
    case kComboEndYear: return "--end";
    case kComboStatus: return "--status";
    case kComboGroup: return "--group";
    case kComboSex: return "--sex";
    default: return "--birth";
    }
}

std::optional<int> ReadDatabaseInput(const BatchOptions& options, DataSet& dataSet, std::ostream& out,
                                     std::ostream& err)
{
    const std::string& path = options.inputPath;
    const DatabaseInput& d = options.database;
    if (const std::optional<int> message = DbaseFileNameMessage(path)) {
        WriteMessage(err, LoadString(*message));
        return kExitUsage;
    }

    const ReadResult<TableChoice> tables = ListDatabaseTables(path);
    if (!tables) {
        WriteMessage(err, FaultMessage(tables.fault()));
        return kExitUsage;
    }
    if (d.listTables) {
        for (const std::string& name : tables->entries) out << name << "\n";
        return kExitSuccess;
    }
    const std::string table = d.table.empty() ? tables->takenAtOnce : d.table;
    if (table.empty()) {
        if (tables->entries.empty())
            WriteMessage(err, text::kBatchNoTableToRead);
        else
            WriteMessage(err, FormatText(text::kBatchChooseTable, JoinedList(tables->entries)));
        return kExitUsage;
    }

    const ReadResult<std::vector<std::string>> fields = ListTableFields(path, table);
    if (!fields) {
        WriteMessage(err, FaultMessage(fields.fault()));
        return kExitUsage;
    }
    if (d.listFields) {
        for (const std::string& name : *fields) out << name << "\n";
        return kExitSuccess;
    }

    const FieldSelection chosen = SelectFieldsByName(d, *fields);
    if (!chosen.error.empty()) {
        WriteMessage(err, chosen.error);
        return kExitUsage;
    }
    if (const std::optional<ColumnSelectionRefusal> refusal = CheckColumnSelection(chosen.selection)) {
        WriteMessage(err, std::string(OptionOfControl(refusal->focusControl)) + ": " + LoadString(refusal->messageId));
        return kExitUsage;
    }

    const CColumnAssignment assignment = ToColumnAssignment(chosen.selection);
    ReadResult<DataSet> read = ReadDatabaseDataSet(path, IsDbaseFile(path) ? std::string() : table, assignment);
    if (!read) {
        WriteMessage(err, FaultMessage(read.fault()));
        return kExitUsage;
    }
    dataSet = std::move(*read);
    return std::nullopt;
}

}  // namespace kalderon::batch
