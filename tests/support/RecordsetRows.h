#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/DatabaseEngine.h"
#include "import/FieldConversions.h"

namespace kalderon::testing {

// Steps to the next row; a fault fails the test.
inline bool NextRow(Recordset& rows)
{
    const ReadResult<void> moved = rows.MoveNext();
    if (!moved) ADD_FAILURE() << ReaderFaultMessage(moved.fault());
    return moved.ok();
}

// Every row of a recordset as the texts of its values.
inline std::vector<std::vector<std::string>> RowTexts(Recordset& rows)
{
    std::vector<std::vector<std::string>> out;
    while (!rows.IsEOF()) {
        std::vector<std::string> row;
        for (int i = 0; i < rows.FieldCount(); ++i) row.push_back(VariantToText(rows.GetFieldValue(i)));
        out.push_back(std::move(row));
        if (!NextRow(rows)) break;
    }
    return out;
}

// Every row of a recordset as its values.
inline std::vector<std::vector<FieldValue>> RowValues(Recordset& rows)
{
    std::vector<std::vector<FieldValue>> out;
    while (!rows.IsEOF()) {
        std::vector<FieldValue> row;
        for (int i = 0; i < rows.FieldCount(); ++i) row.push_back(rows.GetFieldValue(i));
        out.push_back(std::move(row));
        if (!NextRow(rows)) break;
    }
    return out;
}

// Reads the rows of an opened table to their end: the fault of the opening
// or of a row, if any.
inline ReadResult<void> ReadToEnd(const ReadResult<std::unique_ptr<Recordset>>& opened)
{
    if (!opened) return opened.fault();
    Recordset& rows = **opened;
    while (!rows.IsEOF())
        if (ReadResult<void> moved = rows.MoveNext(); !moved) return moved;
    return {};
}

// Reads every table of a database to its end: the first fault, if any.
inline ReadResult<void> ReadEveryTable(const Database& database)
{
    for (const TableDefInfo& table : database.TableDefs())
        if (ReadResult<void> read = ReadToEnd(database.OpenTable(table.name)); !read) return read;
    return {};
}

}  // namespace kalderon::testing
