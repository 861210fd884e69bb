#include "import/TextFileReader.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/TextFormat.h"

#include "import/LineReader.h"
#include "import/TextColumnFiller.h"
#include "import/TextFieldNames.h"
#include "import/TextRecordParser.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

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
        lines += static_cast<size_t>(std::count(block.data(), block.data() + got, '\n'));
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
    // With a line of names the roles are known once it is read.
    std::optional<TextRecordParser> parser;
    std::optional<TextColumnFiller> filler;
    if (!settings.firstLineNames) {
        parser.emplace(layout);
        filler.emplace(columns, layout);
    }
    ImportedRecordValues values;
    std::int32_t caseNumber = 0;
    std::int32_t unclosedLines = 0;
    std::string_view line;
    size_t linesRead = 0;
    for (;;) {
        const ReadResult<bool> next = reader.Next(line);
        if (!next) return next.fault();
        if (!*next) break;
        const size_t lineNumber = ++linesRead;
        if (progress && lineNumber % kReadProgressStep == 0) progress(lineNumber, lines);
        if (line.empty()) continue;
        if (!parser) {
            TextFieldNames names = FieldNamesOfLine(line, layout);
            if (const ReadResult<void> named = ApplyFieldNames(path, names.names, layout); !named)
                return named.fault();
            dataSet.notes = std::move(names.notes);
            for (std::string& name : names.names) columns.AddColumn(std::move(name));
            parser.emplace(layout);
            filler.emplace(columns, layout);
            continue;
        }
        if (!parser->Parse(line, values)) ++unclosedLines;
        filler->Add(line);
        values.caseNumber = ++caseNumber;
        CCaseRecord c = BuildCase(values, settings.useBirth);
        if (!c.isValid && dataSet.firstInvalidLineNumber == 0) {
            dataSet.firstInvalidLineNumber = static_cast<std::int64_t>(lineNumber);
            dataSet.firstInvalidLine = line.substr(0, kInvalidLineShown);
        }
        builder.Add(std::move(c));
    }
    if (!parser) {
        // A file of no line but empty ones: the names are checked all the same.
        if (const ReadResult<void> named = ApplyFieldNames(path, {}, layout); !named) return named.fault();
    }
    if (unclosedLines > 0) dataSet.notes.push_back(FormatText(text::kUnclosedQuoteLines, unclosedLines));
    if (filler) filler->EndOfLines();
    dataSet.cases = builder.Finish();
    if (filler)
        filler->Finish();
    else
        columns.Finish();
    dataSet.cases.sourcePath = path;
    dataSet.source.path = path;
    dataSet.source.text = settings;
    return dataSet;
}

}  // namespace kalderon
