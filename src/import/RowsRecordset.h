#pragma once

#include <vector>

#include "import/DatabaseEngine.h"

namespace kalderon {

using FieldRow = std::vector<FieldValue>;

// A recordset over rows held in memory.
class RowsRecordset : public Recordset {
public:
    RowsRecordset(int fieldCount, std::vector<FieldRow> rows) : fieldCount_(fieldCount), rows_(std::move(rows)) {}

    bool IsEOF() const override { return current_ >= rows_.size(); }
    ReadResult<void> MoveNext() override
    {
        ++current_;
        return {};
    }
    int FieldCount() const override { return fieldCount_; }
    size_t RecordCountHint() const override { return rows_.size(); }
    const FieldValue& GetFieldValue(int index) const override;

private:
    int fieldCount_;
    std::vector<FieldRow> rows_;
    size_t current_ = 0;
};

// Names of tables and fields compare without regard to ASCII letter case.
bool SameName(const std::string& a, const std::string& b);

// kDaoObjectNotFound for a table name.
ReaderFault TableNotFound(const std::string& table);

}  // namespace kalderon
