#pragma once

#include <QWidget>
#include <string>

#include "analysis/CaseChoice.h"
#include "import/DataSet.h"
#include "import/ReadProgress.h"
#include "import/ReaderFault.h"
#include "import/TextImportSettings.h"

class QLabel;

namespace kalderon {

class CaseListModel;
class CFullRowListCtrl;

// The view of a data window: it owns the cases read from one data file with
// their group list and analysis record, and lists every case, valid or not,
// in the order it was read.  The optional columns (group, gender, date of
// birth) are shown only when the file had them.  Above the list, the data
// check names implausible dates when there are any.
class CEventDataView : public QWidget {
    Q_OBJECT
public:
    // Ids of the view and its list.
    static constexpr int kView = 131;
    static constexpr int kListControl = 1004;

    explicit CEventDataView(QWidget* parent = nullptr);
    ~CEventDataView() override;

    // Reads a text file with the wizard's settings; the reader's fault when
    // it cannot be read.
    ReadResult<void> ReadTextFile(const std::string& path, const TextImportSettings& settings,
                                  const ReadProgress& progress = {});
    // Takes cases read elsewhere, for instance from a database table.
    void SetDataSet(DataSet dataSet);

    const std::string& sourcePath() const { return data_.cases.sourcePath; }
    void setSourcePath(const std::string& source) { data_.cases.sourcePath = source; }

    DataSet& data() { return data_; }
    const DataSet& data() const { return data_; }
    CFullRowListCtrl* list() const { return list_; }
    // The label of the data check, hidden when the dates are plausible.
    QLabel* dataCheck() const { return dataCheck_; }

    // "1200 cases read: 1180 valid, 20 skipped"
    const QString& countsText() const { return countsText_; }
    bool HasSelection() const;
    // The selected rows with the header, the visible columns of each row
    // apart by tabs, a line end after each row.
    QString SelectedRowsText() const;
    // Puts the selected rows on the clipboard.
    void CopySelection();
    void SelectAll();
    // Analyses only the cases the choice selects, grouped as it groups them;
    // the list marks the cases left out, the counts say how many are kept.
    void ApplyChoice(CaseChoice choice);
    const CaseChoice& choice() const { return choice_; }

    // Lists every column of the file after the cases' columns, or not.
    void ShowAllColumns(bool on);
    bool showsAllColumns() const { return showsAllColumns_; }

signals:
    void SelectionChanged();

private:
    void ShowCases();
    void ShowFileColumns();

    QLabel* dataCheck_;
    CFullRowListCtrl* list_;
    CaseListModel* model_;
    DataSet data_;
    CaseChoice choice_;
    QString countsText_;
    bool showsAllColumns_ = false;
};

}  // namespace kalderon
