#include "import/IsolatedDatabase.h"


#include "import/ChildProcessPipe.h"
#include "import/RowsRecordset.h"

namespace kalderon {
namespace {

// What a child sends: values tagged by their kind, then an end tag or the
// error the reader raised.  A pipe that ends before either means the reader
// died.
enum Tag : std::uint8_t { kTableDef = 1, kName, kRowCount, kFieldCount, kRow, kEnd, kError };

void SendError(PipeWriter& out, const DaoException& e)
{
    out.Byte(kError);
    out.Byte(e.hasErrorInfo() ? 1 : 0);
    out.Integer(e.hasErrorInfo() ? e.errorNumber() : e.statusCode());
    out.Text(e.description());
}

void SendValue(PipeWriter& out, const FieldValue& value)
{
    out.Integer(value.type);
    out.Integer(value.integer);
    out.Real(value.real);
    out.Text(value.text);
}

// Runs `request` on the database in a child, turning what the reader
// raises into an error message for the parent.
std::function<void(PipeWriter&)> InChild(const DatabaseOpener& open,
                                         std::function<void(const Database&, PipeWriter&)> request)
{
    return [open, request = std::move(request)](PipeWriter& out) {
        try {
            const std::unique_ptr<Database> db = open();
            request(*db, out);
            out.Byte(kEnd);
        } catch (const DaoException& e) {
            SendError(out, e);
        } catch (const std::exception& e) {
            SendError(out, DaoException(kDaoDamagedFile, e.what()));
        }
    };
}

class Answer {
public:
    Answer(std::string path, std::function<void(PipeWriter&)> work) : path_(std::move(path)), pipe_(work) {}

    // The next tag; an error the child sent is raised here.
    Tag Next()
    {
        std::uint8_t tag = 0;
        if (!pipe_.Byte(tag)) Damaged();
        if (tag == kError) RaiseError();
        return static_cast<Tag>(tag);
    }
    void Expect(Tag tag)
    {
        if (Next() != tag) Damaged();
    }
    std::int64_t Integer()
    {
        std::int64_t value = 0;
        if (!pipe_.Integer(value)) Damaged();
        return value;
    }
    std::string Text()
    {
        std::string text;
        if (!pipe_.Text(text)) Damaged();
        return text;
    }
    FieldValue Value()
    {
        FieldValue value;
        value.type = static_cast<std::uint16_t>(Integer());
        value.integer = Integer();
        if (!pipe_.Real(value.real)) Damaged();
        value.text = Text();
        return value;
    }

    [[noreturn]] void Damaged() const { ThrowDamagedDatabase(path_); }

private:
    [[noreturn]] void RaiseError()
    {
        std::uint8_t hasErrorInfo = 0;
        if (!pipe_.Byte(hasErrorInfo)) Damaged();
        const std::int64_t number = Integer();
        const std::string description = Text();
        if (hasErrorInfo) throw DaoException(static_cast<std::int32_t>(number), description);
        throw DaoException(static_cast<std::int32_t>(number));
    }

    std::string path_;
    ChildProcessPipe pipe_;
};

// Rows as the child reads them; the child is stopped when the recordset goes
// before its end.
class IsolatedRecordset : public Recordset {
public:
    explicit IsolatedRecordset(std::unique_ptr<Answer> answer) : answer_(std::move(answer))
    {
        answer_->Expect(kFieldCount);
        fieldCount_ = static_cast<int>(answer_->Integer());
        answer_->Expect(kRowCount);
        rowCountHint_ = static_cast<size_t>(answer_->Integer());
        row_.resize(static_cast<size_t>(fieldCount_));
        MoveNext();
    }

    bool IsEOF() const override { return atEnd_; }
    void MoveNext() override
    {
        if (atEnd_) return;
        const Tag tag = answer_->Next();
        if (tag == kEnd) {
            atEnd_ = true;
            answer_.reset();
            return;
        }
        if (tag != kRow) answer_->Damaged();
        for (FieldValue& value : row_) value = answer_->Value();
    }
    int FieldCount() const override { return fieldCount_; }
    size_t RecordCountHint() const override { return rowCountHint_; }
    const FieldValue& GetFieldValue(int index) const override
    {
        CheckFieldAccess(index, fieldCount_, atEnd_);
        return row_[static_cast<size_t>(index)];
    }

private:
    std::unique_ptr<Answer> answer_;
    int fieldCount_ = 0;
    size_t rowCountHint_ = 0;
    std::vector<FieldValue> row_;
    bool atEnd_ = false;
};

class IsolatedDatabase : public Database {
public:
    IsolatedDatabase(std::string path, DatabaseOpener open) : path_(std::move(path)), open_(std::move(open))
    {
        Answer answer(path_, InChild(open_, [](const Database& db, PipeWriter& out) {
                          for (const TableDefInfo& t : db.TableDefs()) {
                              out.Byte(kTableDef);
                              out.Text(t.name);
                              out.Integer(t.attributes);
                          }
                      }));
        for (Tag tag; (tag = answer.Next()) != kEnd;) {
            if (tag != kTableDef) answer.Damaged();
            TableDefInfo info;
            info.name = answer.Text();
            info.attributes = static_cast<std::uint32_t>(answer.Integer());
            tables_.push_back(std::move(info));
        }
    }

    std::vector<TableDefInfo> TableDefs() const override { return tables_; }

    std::vector<std::string> FieldNames(const std::string& table) const override
    {
        Answer answer(path_, InChild(open_, [table](const Database& db, PipeWriter& out) {
                          for (const std::string& name : db.FieldNames(table)) {
                              out.Byte(kName);
                              out.Text(name);
                          }
                      }));
        std::vector<std::string> names;
        for (Tag tag; (tag = answer.Next()) != kEnd;) {
            if (tag != kName) answer.Damaged();
            names.push_back(answer.Text());
        }
        return names;
    }

    std::unique_ptr<Recordset> OpenTable(const std::string& table) const override
    {
        auto answer = std::make_unique<Answer>(path_, InChild(open_, [table](const Database& db, PipeWriter& out) {
                                                   const std::unique_ptr<Recordset> rows = db.OpenTable(table);
                                                   const int fields = rows->FieldCount();
                                                   out.Byte(kFieldCount);
                                                   out.Integer(fields);
                                                   out.Byte(kRowCount);
                                                   out.Integer(static_cast<std::int64_t>(rows->RecordCountHint()));
                                                   for (; !rows->IsEOF(); rows->MoveNext()) {
                                                       out.Byte(kRow);
                                                       for (int i = 0; i < fields; ++i)
                                                           SendValue(out, rows->GetFieldValue(i));
                                                   }
                                               }));
        return std::make_unique<IsolatedRecordset>(std::move(answer));
    }

private:
    std::string path_;
    DatabaseOpener open_;
    std::vector<TableDefInfo> tables_;
};

}  // namespace

std::unique_ptr<Database> OpenIsolatedDatabase(const std::string& path, DatabaseOpener open)
{
    return std::make_unique<IsolatedDatabase>(path, std::move(open));
}

}  // namespace kalderon
