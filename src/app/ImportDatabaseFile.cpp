#include "app/ImportDatabaseFile.h"

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "common/qt/DisplayText.h"
#include "common/ui/HelpKey.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/UiText.h"
#include "help/ui/HelpTopics.h"
#include "import/ColumnProposal.h"
#include "import/DatabaseImport.h"
#include "import/NoValidCaseReason.h"
#include "import/ui/CChooseTableDlg.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "import/ui/CEventDataView.h"

namespace kalderon {
namespace {

const QString kColumnSelectionHelp = QStringLiteral("import_dbfiles");

// The table to import: the only one, or the one the person picks; empty
// when cancelled.
std::string ChooseImportTable(const Database& database, QWidget* parent)
{
    const TableChoice choice = ChooseTableEntries(database.TableDefs());
    if (!choice.takenAtOnce.empty()) return choice.takenAtOnce;
    CChooseTableDlg dialog(choice.entries, parent);
    SetHelpTopic(&dialog, kColumnSelectionHelp);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.tableName();
}

// The person's assignment of the table's fields, starting from the fields
// proposed by their names; false when cancelled.
bool AssignColumns(CMainFrame& frame, const std::vector<std::string>& fieldNames, const ColumnSelection& proposal,
                   CColumnAssignment& assignment)
{
    CColumnSelectionDlg dialog(BuildColumnTexts(fieldNames), frame.services().messages, &frame);
    dialog.ShowProposal(proposal);
    SetHelpTopic(&dialog, kColumnSelectionHelp);
    QObject::connect(&dialog, &CColumnSelectionDlg::HelpRequested, &dialog,
                     [&] { ShowHelpTopic(&dialog, frame.services(), kColumnSelectionHelp); });
    if (dialog.exec() != QDialog::Accepted) return false;
    assignment = ToColumnAssignment(dialog.selection());
    return true;
}

}  // namespace

bool ImportDatabaseFile(CMainFrame& frame, const QString& path)
{
    Messages& messages = frame.services().messages;
    const std::string file = PathBytes(path);
    const auto refused = [&](const ReaderFault& fault) {
        messages.Show(&frame, DisplayText(ReaderFaultMessage(InFile(fault, file))));
        return false;
    };
    const ReadResult<ImportDatabase> opened = OpenImportDatabase(file);
    if (!opened) return refused(opened.fault());
    const Database& database = *opened->database;
    std::string chosenTable;
    std::string table = opened->tableName;
    if (table.empty()) table = chosenTable = ChooseImportTable(database, &frame);
    if (table.empty()) return false;

    const ReadResult<std::vector<std::string>> fieldNames = database.FieldNames(table);
    if (!fieldNames) return refused(fieldNames.fault());
    CColumnAssignment assignment;
    if (!AssignColumns(frame, *fieldNames, ProposeColumnSelection(database, table, *fieldNames), assignment))
        return false;

    ReadResult<DataSet> read = [&] {
        StatusBarReading reading(frame.mainStatusBar(), DisplayText(table));
        return ReadTableIntoDataSet(database, table, assignment, reading.progress());
    }();
    if (!read) return refused(read.fault());
    read->source = {file, true, {}, RolesOfAssignment(assignment, *fieldNames)};
    read->source.database.table = chosenTable;
    CEventDataFrame* window = frame.NewDataWindow();
    window->view()->SetDataSet(std::move(*read));
    window->SetSource(ImportSourceText(file, chosenTable));
    if (const std::optional<std::string> reason = NoValidCaseReason(window->view()->data(), nullptr))
        messages.Show(&frame, DisplayText(*reason));
    return true;
}

}  // namespace kalderon
