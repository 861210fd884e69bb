#include "results/ResultWorkbook.h"

#include <ctime>
#include <string_view>
#include <vector>

#include "common/Utf8Text.h"
#include "resources/Texts.h"
#include "results/WorkbookWriter.h"

namespace kalderon {
namespace {

// The tables that follow the group sections, known by their export header.
struct KnownTable {
    const char* header;
    const char* sheet;
};
constexpr KnownTable kKnownTables[] = {
    {text::kStandardisedWeightsExportHeader, text::kWorkbookStandardWeights},
    {text::kStandardisedExportHeader, text::kWorkbookStandardised},
    {text::kTestExportHeader, text::kWorkbookTests},
    {text::kQuartileExportHeader, text::kWorkbookQuartiles},
    {text::kCrudeExportHeader, text::kWorkbookCrude},
    {text::kGrayTestExportHeader, text::kWorkbookGrayTests},
    {text::kCoxExportCoefficients, text::kWorkbookCoxCoefficients},
    {text::kCoxExportTests, text::kWorkbookCoxTests},
    {text::kCoxExportModel, text::kWorkbookCoxModel},
    {text::kCoxExportZph, text::kWorkbookCoxZph},
    {text::kCoxExportCurves, text::kWorkbookCoxCurves},
    {text::kSurvivalAtTimesExportHeader, text::kWorkbookSurvivalAtTimes},
    {text::kRestrictedMeanExportHeader, text::kWorkbookRestrictedMean},
};

const KnownTable* KnownTableOf(std::string_view line)
{
    if (line.substr(0, 6) == "Group;") line.remove_prefix(6);
    for (const KnownTable& table : kKnownTables) {
        std::string_view header = table.header;
        if (header.ends_with('\n')) header.remove_suffix(1);
        if (line == header) return &table;
    }
    return nullptr;
}

// An export text of its own: a table starts with its first line, after an
// empty line, and at a known header.
void AddTextTables(WorkbookTables& tables, std::string_view text)
{
    bool startsTable = true;
    std::vector<WorkbookCell> cells;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) {
            startsTable = true;
            continue;
        }
        const KnownTable* known = KnownTableOf(line);
        if (startsTable || known) {
            std::vector<std::string> headings = SplitFields(line);
            const std::string title = known ? std::string(known->sheet) : headings.front();
            tables.Begin(title, title, std::move(headings));
            startsTable = false;
            continue;
        }
        TextLineCells(line, cells);
        tables.Row(cells);
    }
}

// The first sheet, written last, when every other sheet is known.
void WriteFirstSheet(WorkbookFile& file, int sheet, const ResultReport& report, const std::vector<std::string>& lines,
                     const std::vector<std::string>& contents)
{
    file.ColumnWidth(sheet, 0, 40.0);
    file.ColumnWidth(sheet, 1, 20.0);
    long row = 0;
    std::vector<WorkbookCell> cells;
    for (const std::string& line : lines) {
        TextLineCells(line, cells, '\t');  // "Data records read:\t6" as two cells
        for (size_t c = 0; c < cells.size(); ++c) {
            const int column = static_cast<int>(c);
            if (cells[c].kind == WorkbookCell::kNumber)
                file.Number(sheet, row, column, cells[c].number, cells[c].decimals);
            else if (!cells[c].text.empty())
                file.Text(sheet, row, column, AsUtf8(cells[c].text));
        }
        ++row;
    }
    std::tm created{};
    if (strptime(report.timeStamp().c_str(), "%A %d. %B %Y %X", &created)) {
        file.Text(sheet, row, 0, text::kWorkbookCreated);
        file.DateTime(sheet, row, 1, created);
        ++row;
    }
    file.Text(sheet, ++row, 0, text::kWorkbookSheetsHeading);
    for (const std::string& line : contents) file.Text(sheet, ++row, 0, line);
}

}  // namespace

bool WriteResultWorkbook(const ResultReport& report, const std::string& path, std::string& reason,
                         const WorkbookLimits& limits)
{
    WorkbookFile file(path);
    WorkbookSheetNames names;
    const int firstSheet = file.AddSheet(names.Unique(text::kWorkbookFirstSheet));
    WorkbookTables tables(file, names, limits);
    WorkbookWriter out(tables, report.HasGroupColumn());
    report.WriteSections(out);
    for (const std::string& section : report.sectionExports()) AddTextTables(tables, section);
    AddTextTables(tables, report.comparisonExportText());
    AddTextTables(tables, report.summaryExportText());
    WriteFirstSheet(file, firstSheet, report, out.ReportLines(), tables.Contents());
    return file.Close(reason);
}

}  // namespace kalderon
