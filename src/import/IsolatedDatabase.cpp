#include "import/IsolatedDatabase.h"

#include <algorithm>
#include <bit>

#include "import/ChildProcessPipe.h"
#include "import/ReadProgress.h"
#include "import/RowsRecordset.h"

namespace kalderon {
namespace {

// What a child sends: values tagged by their kind, then an end tag or the
// fault the reader gave.  A pipe that ends before either means the reader
// died.
enum Tag : std::uint8_t { kTableDef = 1, kName, kRowCount, kFieldCount, kRow, kEnd, kFault, kFieldLabels };

using Request = std::function<ReadResult<void>(const Database&, PipeWriter&)>;

void SendFault(PipeWriter& out, const ReaderFault& fault)
{
    out.Byte(kFault);
    out.Integer(fault.statusCode);
    out.Text(fault.description);
    out.Integer(fault.errorNumber);
}

// A value is its type code, a byte telling which of its parts are not zero
// or empty, and those parts: most values travel in 11 bytes or fewer.
enum ValuePart : std::uint8_t { kIntegerPart = 1, kRealPart = 2, kTextPart = 4 };

void SendValue(PipeWriter& out, const FieldValue& value)
{
    const std::uint8_t parts = (value.integer != 0 ? kIntegerPart : 0) |
                               (std::bit_cast<std::uint64_t>(value.real) != 0 ? kRealPart : 0) |
                               (!value.text.empty() ? kTextPart : 0);
    out.Bytes(&value.type, sizeof value.type);
    out.Byte(parts);
    if (parts & kIntegerPart) out.Integer(value.integer);
    if (parts & kRealPart) out.Real(value.real);
    if (parts & kTextPart) out.Text(value.text);
}

// Runs `request` on the database in a child and sends its end or its fault.
// An exception of the reader in the child (such as running out of memory)
// is a damaged file.
std::function<void(PipeWriter&)> InChild(const DatabaseOpener& open, Request request)
{
    return [open, request = std::move(request)](PipeWriter& out) {
        try {
            const DatabaseResult db = open();
            const ReadResult<void> done = db ? request(**db, out) : ReadResult<void>(db.fault());
            if (done)
                out.Byte(kEnd);
            else
                SendFault(out, done.fault());
        } catch (const std::exception& e) {
            SendFault(out, ReaderFault::Engine(kDaoDamagedFile, e.what()));
        }
    };
}

// The parent's end of one request.  The first fault (the child's own, a
// child that died, no child at all) is kept: from then on Next() gives kEnd
// and values read as zero and empty.
class Answer {
public:
    Answer(std::string path, const std::function<void(PipeWriter&)>& work) : path_(std::move(path))
    {
        ReadResult<std::unique_ptr<ChildProcessPipe>> started = ChildProcessPipe::Start(work);
        if (started)
            pipe_ = std::move(*started);
        else
            outcome_ = ReaderFault::Described(path_ + ": the file cannot be processed (" + started.fault().description + ")");
    }

    Tag Next()
    {
        std::uint8_t tag = 0;
        if (!outcome_) return kEnd;
        if (!pipe_->Byte(tag)) return Damaged();
        if (tag != kFault) return static_cast<Tag>(tag);
        ReaderFault fault;
        fault.statusCode = static_cast<std::int32_t>(Integer());
        fault.description = Text();
        fault.errorNumber = static_cast<std::int32_t>(Integer());
        if (outcome_) outcome_ = std::move(fault);
        return kEnd;
    }
    void Expect(Tag tag)
    {
        if (Next() != tag) Damaged();
    }
    std::int64_t Integer()
    {
        std::int64_t value = 0;
        if (outcome_ && !pipe_->Integer(value)) Damaged();
        return value;
    }
    std::string Text()
    {
        std::string text;
        if (outcome_ && !pipe_->Text(text)) Damaged();
        return text;
    }
    // Reads a value into `value`, which the caller may reuse row after row.
    void Value(FieldValue& value)
    {
        std::uint8_t parts = 0;
        if (!outcome_ || !pipe_->Bytes(&value.type, sizeof value.type) || !pipe_->Byte(parts)) {
            Damaged();
            value = FieldValue();
            return;
        }
        value.integer = (parts & kIntegerPart) ? Integer() : 0;
        value.real = 0.0;
        if ((parts & kRealPart) && !pipe_->Real(value.real)) Damaged();
        if (parts & kTextPart) {
            if (!pipe_->Text(value.text)) Damaged();
        } else {
            value.text.clear();
        }
    }

    // Takes the answer for a damaged file, unless a fault came before.
    Tag Damaged()
    {
        if (outcome_) outcome_ = DamagedDatabase(path_);
        return kEnd;
    }
    const ReadResult<void>& outcome() const { return outcome_; }

private:
    std::string path_;
    std::unique_ptr<ChildProcessPipe> pipe_;
    ReadResult<void> outcome_;
};

// Rows as the child reads them; the child is stopped when the recordset goes
// before its end.
class IsolatedRecordset : public Recordset {
public:
    // Reads the field and row counts; the rows follow with MoveNext.
    explicit IsolatedRecordset(std::unique_ptr<Answer> answer) : answer_(std::move(answer))
    {
        answer_->Expect(kFieldCount);
        fieldCount_ = static_cast<int>(answer_->Integer());
        answer_->Expect(kRowCount);
        rowCountHint_ = static_cast<size_t>(answer_->Integer());
        row_.resize(static_cast<size_t>(std::max(fieldCount_, 0)));
    }
    const ReadResult<void>& outcome() const { return answer_->outcome(); }

    bool IsEOF() const override { return atEnd_; }
    ReadResult<void> MoveNext() override
    {
        if (atEnd_) return {};
        Tag tag = answer_->Next();
        for (; tag == kRowCount; tag = answer_->Next()) rowCountHint_ = static_cast<size_t>(answer_->Integer());
        if (tag == kRow)
            for (FieldValue& value : row_) answer_->Value(value);
        else if (tag != kEnd)
            answer_->Damaged();
        if (!answer_->outcome()) return answer_->outcome();
        if (tag == kEnd) {
            atEnd_ = true;
            answer_.reset();
        }
        return {};
    }
    int FieldCount() const override { return fieldCount_; }
    size_t RecordCountHint() const override { return rowCountHint_; }
    const FieldValue& GetFieldValue(int index) const override { return row_[static_cast<size_t>(index)]; }

private:
    std::unique_ptr<Answer> answer_;
    int fieldCount_ = 0;
    size_t rowCountHint_ = 0;
    std::vector<FieldValue> row_;
    bool atEnd_ = false;
};

class IsolatedDatabase : public Database {
public:
    IsolatedDatabase(std::string path, DatabaseOpener open) : path_(std::move(path)), open_(std::move(open)) {}

    // Asks the child for the list of tables.
    ReadResult<void> ReadTableList()
    {
        Answer answer(path_, InChild(open_, [](const Database& db, PipeWriter& out) -> ReadResult<void> {
                          for (const TableDefInfo& t : db.TableDefs()) {
                              out.Byte(kTableDef);
                              out.Text(t.name);
                              out.Integer(t.attributes);
                          }
                          return {};
                      }));
        for (Tag tag; (tag = answer.Next()) != kEnd;) {
            if (tag != kTableDef) answer.Damaged();
            TableDefInfo info;
            info.name = answer.Text();
            info.attributes = static_cast<std::uint32_t>(answer.Integer());
            tables_.push_back(std::move(info));
        }
        return answer.outcome();
    }

    std::vector<TableDefInfo> TableDefs() const override { return tables_; }

    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override
    {
        Answer answer(path_, InChild(open_, [table](const Database& db, PipeWriter& out) -> ReadResult<void> {
                          const ReadResult<std::vector<std::string>> names = db.FieldNames(table);
                          if (!names) return names.fault();
                          for (const std::string& name : *names) {
                              out.Byte(kName);
                              out.Text(name);
                          }
                          return {};
                      }));
        std::vector<std::string> names;
        for (Tag tag; (tag = answer.Next()) != kEnd;) {
            if (tag != kName) answer.Damaged();
            names.push_back(answer.Text());
        }
        if (!answer.outcome()) return answer.outcome().fault();
        return names;
    }

    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override
    {
        auto answer = std::make_unique<Answer>(path_, InChild(open_, [table](const Database& db, PipeWriter& out) {
                                                   return SendRows(db, table, out);
                                               }));
        auto rows = std::make_unique<IsolatedRecordset>(std::move(answer));
        if (!rows->outcome()) return rows->outcome().fault();
        if (const ReadResult<void> first = rows->MoveNext(); !first) return first.fault();
        return rows;
    }

    ReadResult<std::vector<ValueLabels>> FieldValueLabels(const std::string& table) const override
    {
        Answer answer(path_, InChild(open_, [table](const Database& db, PipeWriter& out) -> ReadResult<void> {
                          const ReadResult<std::vector<ValueLabels>> labels = db.FieldValueLabels(table);
                          if (!labels) return labels.fault();
                          for (const ValueLabels& field : *labels) {
                              out.Byte(kFieldLabels);
                              out.Integer(static_cast<std::int64_t>(field.size()));
                              for (const auto& [value, label] : field) {
                                  out.Text(value);
                                  out.Text(label);
                              }
                          }
                          return {};
                      }));
        std::vector<ValueLabels> labels;
        for (Tag tag; (tag = answer.Next()) != kEnd;) {
            if (tag != kFieldLabels) answer.Damaged();
            ValueLabels& field = labels.emplace_back();
            for (std::int64_t n = answer.Integer(); n > 0 && answer.outcome(); --n) {
                std::string value = answer.Text();
                field.emplace(std::move(value), answer.Text());
            }
        }
        if (!answer.outcome()) return answer.outcome().fault();
        return labels;
    }

private:
    static ReadResult<void> SendRows(const Database& db, const std::string& table, PipeWriter& out)
    {
        const ReadResult<std::unique_ptr<Recordset>> opened = db.OpenTable(table);
        if (!opened) return opened.fault();
        Recordset& rows = **opened;
        const int fields = rows.FieldCount();
        out.Byte(kFieldCount);
        out.Integer(fields);
        size_t rowCount = rows.RecordCountHint();
        const auto sendRowCount = [&out, &rowCount] {
            out.Byte(kRowCount);
            out.Integer(static_cast<std::int64_t>(rowCount));
        };
        sendRowCount();
        // A count that grows truer on the way is sent again now and then.
        for (size_t sent = 1; !rows.IsEOF(); ++sent) {
            if (sent % kReadProgressStep == 0 && rows.RecordCountHint() != rowCount) {
                rowCount = rows.RecordCountHint();
                sendRowCount();
            }
            out.Byte(kRow);
            for (int i = 0; i < fields; ++i) SendValue(out, rows.GetFieldValue(i));
            if (const ReadResult<void> moved = rows.MoveNext(); !moved) return moved.fault();
        }
        return {};
    }

    std::string path_;
    DatabaseOpener open_;
    std::vector<TableDefInfo> tables_;
};

}  // namespace

DatabaseResult OpenIsolatedDatabase(const std::string& path, DatabaseOpener open)
{
    auto database = std::make_unique<IsolatedDatabase>(path, std::move(open));
    if (const ReadResult<void> tables = database->ReadTableList(); !tables) return tables.fault();
    return database;
}

}  // namespace kalderon
