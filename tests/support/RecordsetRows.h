#pragma once

#include <string>
#include <vector>

#include "import/DatabaseEngine.h"
#include "import/FieldConversions.h"

namespace kalderon::testing {

// Every row of a recordset as the texts of its values.
inline std::vector<std::vector<std::string>> RowTexts(Recordset& rows)
{
    std::vector<std::vector<std::string>> out;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        std::vector<std::string> row;
        for (int i = 0; i < rows.FieldCount(); ++i) row.push_back(VariantToText(rows.GetFieldValue(i)));
        out.push_back(std::move(row));
    }
    return out;
}

// Every row of a recordset as its values.
inline std::vector<std::vector<FieldValue>> RowValues(Recordset& rows)
{
    std::vector<std::vector<FieldValue>> out;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        std::vector<FieldValue> row;
        for (int i = 0; i < rows.FieldCount(); ++i) row.push_back(rows.GetFieldValue(i));
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace kalderon::testing
