#include "import/TextFileReader.h"

#include <cstdint>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/TextFormat.h"

#include "import/LineReader.h"
#include "import/TextFieldNames.h"
#include "import/TextLineWorker.h"
#include "import/TextRecordParser.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

// How many line feeds the bytes hold, eight bytes at a time: a byte of the
// word xor line feeds is zero where a line feed stands, the sum below sets
// the top bit of every byte but those (no carry crosses a byte), and the
// product adds up the bytes' flags in its top byte.
size_t CountLineFeeds(const char* data, size_t size)
{
    constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0Aull;
    size_t count = 0;
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, sizeof word);
        word ^= kLineFeeds;
        const std::uint64_t flags = ~(((word & kLowSeven) + kLowSeven) | word | kLowSeven) >> 7;
        count += static_cast<size_t>((flags * 0x0101010101010101ull) >> 56);
    }
    for (; at < size; ++at) count += data[at] == '\n' ? 1 : 0;
    return count;
}

// How many lines a regular file holds at most, so that room for the cases
// can be made at once; 0 for anything else (a pipe can be read only once).
size_t CountLineEnds(const std::string& path)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::vector<char> block(1 << 20);
    size_t lines = 1;
    while (const size_t got = std::fread(block.data(), 1, block.size(), file))
        lines += CountLineFeeds(block.data(), got);
    std::fclose(file);
    return lines;
}

}  // namespace

ReadResult<DataSet> ReadTextFile(const std::string& path, const TextImportSettings& settings,
                                 const ReadProgress& progress)
{
    TextImportSettings layout = settings;
    if (settings.guessSeparator) {
        const ReadResult<char> guessed = GuessFileSeparator(path);
        if (!guessed) return guessed.fault();
        layout.separator.assign(1, *guessed);
    }
    LineReader reader;
    if (const ReadResult<void> opened = reader.Open(path); !opened) return opened.fault();

    DataSet dataSet;
    dataSet.hasGroupColumn = settings.useGroup;
    dataSet.hasSexColumn = settings.useSex;
    dataSet.hasBirthColumn = settings.useBirth;

    CaseListBuilder builder(dataSet.analysis);
    const size_t lines = CountLineEnds(path);
    builder.Reserve(lines);
    DataColumns& columns = dataSet.columns;
    if (settings.format == TextImportSettings::kFixedColumns)
        for (std::string& name : FixedColumnNames(settings)) columns.AddColumn(std::move(name));
    columns.Reserve(lines);
    std::int32_t caseNumber = 0;
    std::int32_t unclosedLines = 0;
    std::optional<TextRecordParser> parser;  // once the roles are known
    ImportedRecordValues values;
    const auto addCase = [&](std::string_view line, std::int64_t lineNumber, std::span<const std::string_view> fields,
                             bool closed) {
        if (!closed) ++unclosedLines;
        parser->Read(line, fields, closed, values);
        values.caseNumber = ++caseNumber;
        CCaseRecord c = BuildCase(values, settings.useBirth);
        if (!c.isValid && dataSet.firstInvalidLineNumber == 0) {
            dataSet.firstInvalidLineNumber = lineNumber;
            dataSet.firstInvalidLine = line.substr(0, kInvalidLineShown);
        }
        builder.Add(std::move(c));
    };
    // With a line of names the roles are known once it is read.
    std::optional<TextLineWorker> worker;
    const auto start = [&] {
        parser.emplace(layout);
        worker.emplace(columns, layout, addCase);
    };
    if (!settings.firstLineNames) start();
    std::string_view line;
    size_t linesRead = 0;
    for (;;) {
        const ReadResult<bool> next = reader.Next(line);
        if (!next) return next.fault();
        if (!*next) break;
        const size_t lineNumber = ++linesRead;
        if (progress && lineNumber % kReadProgressStep == 0) progress(lineNumber, lines);
        if (line.empty()) continue;
        if (!worker) {
            TextFieldNames names = FieldNamesOfLine(line, layout);
            if (const ReadResult<void> named = ApplyFieldNames(path, names.names, layout); !named)
                return named.fault();
            dataSet.notes = std::move(names.notes);
            for (std::string& name : names.names) columns.AddColumn(std::move(name));
            start();
            continue;
        }
        worker->Add(line, static_cast<std::int64_t>(lineNumber));
    }
    if (worker) {
        worker->EndOfLines();
    } else {
        // A file of no line but empty ones: the names are checked all the same.
        if (const ReadResult<void> named = ApplyFieldNames(path, {}, layout); !named) return named.fault();
        columns.Finish();
    }
    if (unclosedLines > 0) dataSet.notes.push_back(FormatText(text::kUnclosedQuoteLines, unclosedLines));
    dataSet.cases = builder.Finish();
    if (worker) worker->Finish();
    dataSet.cases.sourcePath = path;
    dataSet.source.path = path;
    dataSet.source.text = settings;
    return dataSet;
}

}  // namespace kalderon
