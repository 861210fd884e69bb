#include "import/StatisticsDatabase.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <readstat.h>
#include <thread>
#include <unistd.h>

#include "import/FieldConversions.h"
#include "import/RowsRecordset.h"
#include "import/StatisticsDateFormats.h"

namespace kalderon {
namespace {

namespace fs = std::filesystem;

using ParseFunction = readstat_error_t (*)(readstat_parser_t*, const char*, void*);

struct FileKind {
    const char* extension;
    StatisticsPackage package;
    ParseFunction parse;
};

constexpr FileKind kFileKinds[] = {
    {".dta", StatisticsPackage::kStata, readstat_parse_dta},
    {".sas7bdat", StatisticsPackage::kSas, readstat_parse_sas7bdat},
    {".xpt", StatisticsPackage::kSas, readstat_parse_xport},
    {".sav", StatisticsPackage::kSpss, readstat_parse_sav},
    {".zsav", StatisticsPackage::kSpss, readstat_parse_sav},
    {".por", StatisticsPackage::kSpss, readstat_parse_por},
};

const FileKind* KindOfFile(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const FileKind& kind : kFileKinds)
        if (ext == kind.extension) return &kind;
    return nullptr;
}

struct Variable {
    std::string name;
    std::string labelSet;
    std::optional<DateScale> date;
};

// A labelled value as the file gives it, converted once the variables that
// use its label set are known.
struct LabelledValue {
    bool isText = false;
    double number = 0.0;
    std::string text;
    std::string label;
};

struct Schema {
    std::vector<Variable> variables;
    std::map<std::string, std::vector<LabelledValue>> labelSets;
    long rowCount = 0;
};

double NumberOf(readstat_value_t value)
{
    switch (readstat_value_type(value)) {
    case READSTAT_TYPE_INT8: return readstat_int8_value(value);
    case READSTAT_TYPE_INT16: return readstat_int16_value(value);
    case READSTAT_TYPE_INT32: return readstat_int32_value(value);
    case READSTAT_TYPE_FLOAT: return readstat_float_value(value);
    case READSTAT_TYPE_DOUBLE: return readstat_double_value(value);
    default: return std::nan("");
    }
}

FieldValue NumberField(const Variable& variable, double number)
{
    if (std::isnan(number)) return FieldValue::Null();
    return variable.date ? FieldValue::Date(variable.date->DayNumber(number)) : FieldValue::Double(number);
}

FieldValue TextField(const char* text) { return text && *text ? FieldValue::Text(text) : FieldValue::Null(); }

FieldValue ValueField(const Variable& variable, readstat_value_t value, readstat_variable_t* described)
{
    if (readstat_value_is_missing(value, described)) return FieldValue::Null();
    if (readstat_value_type_class(value) == READSTAT_TYPE_CLASS_STRING) return TextField(readstat_string_value(value));
    return NumberField(variable, NumberOf(value));
}

// The file as the library reads it: through a large buffer, as some formats
// are read a row at a time.
struct BufferedFile {
    static constexpr size_t kBufferSize = 1 << 20;

    std::FILE* file = nullptr;
    std::vector<char> buffer;

    static int Open(const char* path, void* c)
    {
        BufferedFile& f = *static_cast<BufferedFile*>(c);
        f.file = std::fopen(path, "rb");
        if (!f.file) return -1;
        f.buffer.resize(kBufferSize);
        std::setvbuf(f.file, f.buffer.data(), _IOFBF, f.buffer.size());
        return 0;
    }
    static int Close(void* c)
    {
        BufferedFile& f = *static_cast<BufferedFile*>(c);
        const int closed = f.file ? std::fclose(f.file) : 0;
        f.file = nullptr;
        return closed;
    }
    static readstat_off_t Seek(readstat_off_t offset, readstat_io_flags_t whence, void* c)
    {
        std::FILE* file = static_cast<BufferedFile*>(c)->file;
        const int origin = whence == READSTAT_SEEK_SET ? SEEK_SET : whence == READSTAT_SEEK_CUR ? SEEK_CUR : SEEK_END;
        if (!file || fseeko(file, offset, origin) != 0) return -1;
        return ftello(file);
    }
    static ssize_t Read(void* bytes, size_t size, void* c)
    {
        std::FILE* file = static_cast<BufferedFile*>(c)->file;
        if (!file) return -1;
        const size_t got = std::fread(bytes, 1, size, file);
        return got < size && std::ferror(file) ? -1 : static_cast<ssize_t>(got);
    }
    static readstat_error_t Update(long, readstat_progress_handler, void*, void*) { return READSTAT_OK; }
};

// A parser that reads through a BufferedFile and converts the file's texts
// to UTF-8; freed with the object.
class Parser {
public:
    Parser() : parser_(readstat_parser_init())
    {
        if (!parser_) throw std::bad_alloc();
        readstat_set_handler_character_encoding(parser_, "UTF-8");
        readstat_set_open_handler(parser_, BufferedFile::Open);
        readstat_set_close_handler(parser_, BufferedFile::Close);
        readstat_set_seek_handler(parser_, BufferedFile::Seek);
        readstat_set_read_handler(parser_, BufferedFile::Read);
        readstat_set_update_handler(parser_, BufferedFile::Update);
        readstat_set_io_ctx(parser_, &file_);
    }
    ~Parser()
    {
        BufferedFile::Close(&file_);
        readstat_parser_free(parser_);
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    readstat_parser_t* get() const { return parser_; }

private:
    readstat_parser_t* parser_;
    BufferedFile file_;
};

ReaderFault DamagedStatisticsFile(const std::string& path, readstat_error_t error)
{
    ReaderFault fault = DamagedDatabase(path);
    if (const char* reason = readstat_error_message(error)) fault.description += " (" + std::string(reason) + ")";
    return fault;
}

// The variables, label sets and row count of a file, read without its rows.
ReadResult<Schema> ReadSchema(const FileKind& kind, const std::string& path)
{
    struct Context {
        const FileKind& kind;
        Schema schema;
        // The library hands over a Stata label set's name as it stands in the
        // file, in a field of fixed length (by the file's version, the
        // shortest until that is known), without an end when it fills it.
        size_t labelSetNameLength;

        std::string LabelSetName(const char* name) const
        {
            return name ? std::string(name, strnlen(name, labelSetNameLength)) : std::string();
        }
    } context{kind, {}, kind.package == StatisticsPackage::kStata ? size_t{9} : std::string::npos};
    Parser parser;
    readstat_set_metadata_handler(parser.get(), [](readstat_metadata_t* metadata, void* c) {
        Context& context = *static_cast<Context*>(c);
        context.schema.rowCount = readstat_get_row_count(metadata);
        if (context.kind.package == StatisticsPackage::kStata) {
            const int version = readstat_get_file_format_version(metadata);
            context.labelSetNameLength = version < 110 ? 9 : version < 118 ? 33 : 129;
        }
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_set_variable_handler(parser.get(), [](int, readstat_variable_t* variable, const char* labelSet, void* c) {
        Context& context = *static_cast<Context*>(c);
        const char* name = readstat_variable_get_name(variable);
        const char* format = readstat_variable_get_format(variable);
        std::optional<DateScale> date;
        if (readstat_variable_get_type_class(variable) == READSTAT_TYPE_CLASS_NUMERIC && format)
            date = DateScaleOfFormat(context.kind.package, format);
        context.schema.variables.push_back({name ? name : "", context.LabelSetName(labelSet), date});
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    readstat_set_value_label_handler(parser.get(), [](const char* set, readstat_value_t value, const char* label, void* c) {
        if (!set || !label || readstat_value_is_system_missing(value) || readstat_value_is_tagged_missing(value))
            return static_cast<int>(READSTAT_HANDLER_OK);
        LabelledValue labelled;
        labelled.isText = readstat_value_type_class(value) == READSTAT_TYPE_CLASS_STRING;
        if (labelled.isText) {
            const char* text = readstat_string_value(value);
            labelled.text = text ? text : "";
        } else {
            labelled.number = NumberOf(value);
        }
        labelled.label = label;
        Context& context = *static_cast<Context*>(c);
        context.schema.labelSets[context.LabelSetName(set)].push_back(std::move(labelled));
        return static_cast<int>(READSTAT_HANDLER_OK);
    });
    const readstat_error_t error = kind.parse(parser.get(), path.c_str(), &context);
    if (error != READSTAT_OK) return DamagedStatisticsFile(path, error);
    return std::move(context.schema);
}

// The rows of the file, parsed by a thread of their own into blocks of rows
// that wait in a short queue for the reader.  Destroying the recordset stops
// the parse.
class StatisticsRecordset : public Recordset {
public:
    StatisticsRecordset(const FileKind& kind, std::string path, const Schema& schema)
        : kind_(kind),
          path_(std::move(path)),
          variables_(schema.variables),
          rowCountHint_(schema.rowCount > 0 ? static_cast<size_t>(schema.rowCount) : 0),
          blockRows_(std::max<size_t>(1, kBlockValues / std::max<size_t>(1, variables_.size())))
    {
        parsing_ = std::thread([this] { Parse(); });
    }
    ~StatisticsRecordset() override
    {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        parsing_.join();
    }

    // Takes the first row.
    ReadResult<void> Start() { return NextBlock(); }

    bool IsEOF() const override { return atEnd_; }
    ReadResult<void> MoveNext() override
    {
        if (atEnd_) return {};
        if (++row_ < current_.rows) return {};
        return NextBlock();
    }
    int FieldCount() const override { return static_cast<int>(variables_.size()); }
    size_t RecordCountHint() const override { return rowCountHint_; }
    const FieldValue& GetFieldValue(int index) const override
    {
        return current_.values[row_ * variables_.size() + static_cast<size_t>(index)];
    }

private:
    // Few hand-overs between the threads, and little memory held.
    static constexpr size_t kBlockValues = 1 << 16;
    static constexpr size_t kQueuedBlocks = 2;

    struct Block {
        std::vector<FieldValue> values;
        size_t rows = 0;
    };

    // Reader side: waits for the next block, the end or the fault.
    ReadResult<void> NextBlock()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
        if (!ready_.empty()) {
            current_ = std::move(ready_.front());
            ready_.pop_front();
            row_ = 0;
            lock.unlock();
            changed_.notify_all();
            return {};
        }
        atEnd_ = true;
        if (fault_) return *fault_;
        return {};
    }

    // Parsing side.
    void Parse()
    {
        std::optional<ReaderFault> fault;
        try {
            Parser parser;
            // The library reads values only with a variable handler set.
            readstat_set_variable_handler(parser.get(), [](int, readstat_variable_t*, const char*, void*) {
                return static_cast<int>(READSTAT_HANDLER_OK);
            });
            readstat_set_value_handler(parser.get(), [](int obs, readstat_variable_t* variable, readstat_value_t value,
                                                        void* c) {
                return static_cast<StatisticsRecordset*>(c)->Take(obs, variable, value);
            });
            const readstat_error_t error = kind_.parse(parser.get(), path_.c_str(), this);
            if (error == READSTAT_OK && filling_.rows > 0) Hand();
            if (error != READSTAT_OK && error != READSTAT_ERROR_USER_ABORT) fault = DamagedStatisticsFile(path_, error);
        } catch (const std::bad_alloc&) {
            fault = ReaderFault::Status(kOutOfMemoryStatus);
        } catch (const std::exception&) {
            fault = DamagedStatisticsFile(path_, READSTAT_ERROR_PARSE);
        }
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
            if (!stopped_) fault_ = std::move(fault);
        }
        changed_.notify_all();
    }

    int Take(int obs, readstat_variable_t* described, readstat_value_t value)
    {
        const int index = readstat_variable_get_index(described);
        if (index < 0 || static_cast<size_t>(index) >= variables_.size()) return READSTAT_HANDLER_OK;
        if (obs < fillingFirstObs_ || static_cast<size_t>(obs - fillingFirstObs_) >= blockRows_) {
            if (filling_.rows > 0 && !Hand()) return READSTAT_HANDLER_ABORT;
            fillingFirstObs_ = obs;
        }
        if (filling_.values.empty()) filling_.values.assign(blockRows_ * variables_.size(), FieldValue::Null());
        const size_t row = static_cast<size_t>(obs - fillingFirstObs_);
        filling_.rows = std::max(filling_.rows, row + 1);
        filling_.values[row * variables_.size() + static_cast<size_t>(index)] =
            ValueField(variables_[static_cast<size_t>(index)], value, described);
        return READSTAT_HANDLER_OK;
    }

    // Queues the filled block; false when the reader has gone.
    bool Hand()
    {
        filling_.values.resize(filling_.rows * variables_.size());
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ready_.size() < kQueuedBlocks || stopped_; });
        if (stopped_) return false;
        ready_.push_back(std::move(filling_));
        filling_ = Block();
        lock.unlock();
        changed_.notify_all();
        return true;
    }

    const FileKind& kind_;
    const std::string path_;
    const std::vector<Variable> variables_;
    const size_t rowCountHint_;
    const size_t blockRows_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> ready_;
    bool finished_ = false;
    bool stopped_ = false;
    std::optional<ReaderFault> fault_;

    Block filling_;  // the parsing thread's own
    int fillingFirstObs_ = 0;

    Block current_;  // the reader's own
    size_t row_ = 0;
    bool atEnd_ = false;

    std::thread parsing_;  // last, started when everything else is ready
};

class StatisticsDatabase : public Database {
public:
    StatisticsDatabase(const FileKind& kind, std::string path, Schema schema)
        : kind_(kind), path_(std::move(path)), table_(fs::path(path_).stem().string()), schema_(std::move(schema))
    {
    }

    std::vector<TableDefInfo> TableDefs() const override { return {{table_, 0}}; }

    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override
    {
        if (!SameName(table, table_)) return TableNotFound(table);
        std::vector<std::string> names;
        for (const Variable& variable : schema_.variables) names.push_back(variable.name);
        return names;
    }

    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override
    {
        if (!SameName(table, table_)) return TableNotFound(table);
        auto rows = std::make_unique<StatisticsRecordset>(kind_, path_, schema_);
        if (const ReadResult<void> first = rows->Start(); !first) return first.fault();
        return std::unique_ptr<Recordset>(std::move(rows));
    }

    ReadResult<std::vector<ValueLabels>> FieldValueLabels(const std::string& table) const override
    {
        if (!SameName(table, table_)) return TableNotFound(table);
        std::vector<ValueLabels> labels;
        for (const Variable& variable : schema_.variables) {
            ValueLabels& field = labels.emplace_back();
            const auto set = schema_.labelSets.find(variable.labelSet);
            if (variable.labelSet.empty() || set == schema_.labelSets.end()) continue;
            for (const LabelledValue& value : set->second) {
                const FieldValue converted =
                    value.isText ? TextField(value.text.c_str()) : NumberField(variable, value.number);
                if (!converted.isNull()) field.emplace(VariantToText(converted), value.label);
            }
        }
        while (!labels.empty() && labels.back().empty()) labels.pop_back();
        return labels;
    }

private:
    const FileKind& kind_;
    std::string path_;
    std::string table_;
    Schema schema_;
};

}  // namespace

bool IsStatisticsFile(const std::string& path) { return KindOfFile(path) != nullptr; }

DatabaseResult OpenStatisticsDatabase(const std::string& path)
{
    const FileKind* kind = KindOfFile(path);
    if (!kind) return NoDriver();
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return FileNotFound(path);
    if (::access(path.c_str(), R_OK) != 0) return CannotOpenFile(path);
    ReadResult<Schema> schema = ReadSchema(*kind, path);
    if (!schema) return schema.fault();
    return std::unique_ptr<Database>(std::make_unique<StatisticsDatabase>(*kind, path, std::move(*schema)));
}

}  // namespace kalderon
