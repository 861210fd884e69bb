#include "import/ui/CEventDataView.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <functional>

#include "analysis/CaseFieldSummary.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"
#include "common/ui/WaitCursor.h"
#include "import/TextFileReader.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"
#include "results/ReportClock.h"
#include "stats/DateCheck.h"

namespace kalderon {
namespace {

// Column widths in pixels for a font whose digits are 6 pixels wide; wider
// fonts widen the columns in proportion, so that a date still fits its column.
constexpr int kColumnWidths[CaseListModel::kColumnCount] = {60, 100, 90, 135, 60, 60, 80, 125};
constexpr double kDigitsWidth = 60.0;
// The file's columns are made as wide as the values of this many first rows.
constexpr size_t kRowsMeasured = 200;
constexpr int kColumnMargins = 24;

}  // namespace

CEventDataView::CEventDataView(QWidget* parent)
    : QWidget(parent), dataCheck_(new QLabel(this)), list_(new CFullRowListCtrl(this)), model_(new CaseListModel(this))
{
    setObjectName(ControlName(kView));
    dataCheck_->setObjectName(QStringLiteral("dataCheck"));
    dataCheck_->setWordWrap(true);
    dataCheck_->setTextFormat(Qt::PlainText);
    dataCheck_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dataCheck_->setForegroundRole(QPalette::ToolTipText);
    dataCheck_->setBackgroundRole(QPalette::ToolTipBase);
    dataCheck_->setAutoFillBackground(true);
    dataCheck_->setContentsMargins(6, 4, 6, 4);
    list_->setObjectName(ControlName(kListControl));
    list_->setModel(model_);
    const double scale =
        std::max(1.0, list_->fontMetrics().horizontalAdvance(QStringLiteral("0123456789")) / kDigitsWidth);
    for (int column = 0; column < CaseListModel::kColumnCount; ++column)
        list_->setColumnWidth(column, static_cast<int>(kColumnWidths[column] * scale + 0.5));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(dataCheck_);
    layout->addWidget(list_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CEventDataView::SelectionChanged);
    connect(list_, &CFullRowListCtrl::CopyRequested, this, &CEventDataView::CopySelection);
    ShowCases();
}

// The list and its model outlive data_; they let go of the cases first.
CEventDataView::~CEventDataView()
{
    model_->SetFileColumns(nullptr);
    model_->SetCases(nullptr, false);
}

ReadResult<void> CEventDataView::ReadTextFile(const std::string& path, const TextImportSettings& settings,
                                              const ReadProgress& progress)
{
    ReadResult<DataSet> read = kalderon::ReadTextFile(path, settings, progress);
    if (!read) return read.fault();
    SetDataSet(std::move(*read));
    return {};
}

void CEventDataView::SetDataSet(DataSet dataSet)
{
    // The list lets go of the old cases before they change, so that no one
    // reading it meets rows that are not there.
    model_->SetFileColumns(nullptr);
    model_->SetCases(nullptr, false);
    data_ = std::move(dataSet);
    choice_ = {};
    ShowCases();
}

void CEventDataView::ShowCases()
{
    list_->setColumnHidden(CaseListModel::kGroup, !data_.hasGroupColumn);
    list_->setColumnHidden(CaseListModel::kGender, !data_.hasSexColumn);
    list_->setColumnHidden(CaseListModel::kBirth, !data_.hasBirthColumn);
    model_->SetCases(&data_.cases, data_.hasBirthColumn);
    ShowFileColumns();
    countsText_ = DisplayText(CaseCountsWithSelection(data_));
    QStringList check;
    for (const std::string& line : DateCheckLines(CheckDates(data_.cases.records, data_.hasBirthColumn, ReportTime())))
        check << DisplayText(line);
    dataCheck_->setText(check.join(QLatin1Char('\n')));
    dataCheck_->setVisible(!check.isEmpty());
    emit SelectionChanged();
}

void CEventDataView::ApplyChoice(CaseChoice choice)
{
    WaitCursor wait;
    model_->SetFileColumns(nullptr);
    model_->SetCases(nullptr, false);
    choice_ = std::move(choice);
    ApplyCaseChoice(data_, choice_);
    ShowCases();
}

bool CEventDataView::HasSelection() const { return list_->selectionModel()->hasSelection(); }

QString CEventDataView::SelectedRowsText() const
{
    QList<int> columns;
    for (int column = 0; column < model_->columnCount(); ++column)
        if (!list_->isColumnHidden(column)) columns << column;
    const auto line = [&columns](const std::function<QString(int)>& cell) {
        QStringList cells;
        for (int column : columns) cells << cell(column);
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QString text = line([this](int column) { return model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(); });
    QModelIndexList rows = list_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        text += line([this, &row](int column) { return model_->CellText(row.row(), column); });
    return text;
}

void CEventDataView::CopySelection()
{
    if (!HasSelection()) return;
    WaitCursor wait;
    QGuiApplication::clipboard()->setText(SelectedRowsText());
}

void CEventDataView::SelectAll() { list_->selectAll(); }

void CEventDataView::ShowAllColumns(bool on)
{
    if (on == showsAllColumns_) return;
    showsAllColumns_ = on;
    ShowFileColumns();
}

// The file's columns are shown only when they hold a row for each case.
void CEventDataView::ShowFileColumns()
{
    const DataColumns& columns = data_.columns;
    const bool shown = showsAllColumns_ && columns.rowCount() == data_.cases.rowToList.size();
    model_->SetFileColumns(shown ? &columns : nullptr);
    if (!shown) return;
    // Each as wide as its name and the values of the first rows, with the
    // list's margins.
    const QFontMetrics metrics = list_->fontMetrics();
    const size_t sampled = std::min<size_t>(columns.rowCount(), kRowsMeasured);
    for (size_t c = 0; c < columns.columnCount(); ++c) {
        int width = metrics.horizontalAdvance(DisplayText(columns[c].name()));
        for (size_t row = 0; row < sampled; ++row)
            width = std::max(width, metrics.horizontalAdvance(DisplayText(columns[c].Shown(row))));
        list_->setColumnWidth(CaseListModel::kColumnCount + static_cast<int>(c), width + kColumnMargins);
    }
}

}  // namespace kalderon
